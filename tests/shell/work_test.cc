// The worker thread of the window: what reaches the window's thread, and when.
#include "shell/work.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace shell {
namespace {

// The window's queue: calls posted from the worker wait here until the test runs them, as the
// window's thread would.
class Queue {
 public:
  ThreadRunner::Post Poster() {
    return [this](std::function<void()> call) {
      const std::lock_guard lock(mutex_);
      calls_.push_back(std::move(call));
      changed_.notify_all();
    };
  }
  // Whether `count` calls wait, within a few seconds.
  bool WaitFor(std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10),
                             [&] { return calls_.size() >= count; });
  }
  std::size_t Waiting() {
    const std::lock_guard lock(mutex_);
    return calls_.size();
  }
  void RunAll() {
    std::vector<std::function<void()>> calls;
    {
      const std::lock_guard lock(mutex_);
      calls.swap(calls_);
    }
    for (const auto& call : calls) call();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::function<void()>> calls_;
};

TEST(ThreadRunner, AtMostOneReportWaitsAndTheEndAlwaysComes) {
  Queue queue;
  std::vector<std::size_t> shown;
  int ends = 0;
  std::thread::id job_thread;
  {
    ThreadRunner runner(queue.Poster());
    runner.Start(
        [&](const pak::Progress& progress) {
          job_thread = std::this_thread::get_id();
          for (std::size_t i = 1; i <= 1000; ++i) progress(i, 1000);
        },
        [&](std::size_t done, std::size_t) { shown.push_back(done); }, [&] { ++ends; });
    ASSERT_TRUE(queue.WaitFor(2));
  }  // the runner has joined its thread: nothing more comes
  // The 999 reports after the first found it still waiting.
  EXPECT_EQ(queue.Waiting(), 2u);
  EXPECT_EQ(ends, 0);  // only the window's thread runs what was posted
  queue.RunAll();
  EXPECT_EQ(shown, std::vector<std::size_t>{1});
  EXPECT_EQ(ends, 1);
  EXPECT_NE(job_thread, std::this_thread::get_id());
}

TEST(ThreadRunner, AReportGoesThroughOnceTheWindowHasCaughtUpAndJobsFollowOneAnother) {
  Queue queue;
  std::vector<std::size_t> shown;
  int ends = 0;
  std::promise<void> caught_up;
  ThreadRunner runner(queue.Poster());
  runner.Start(
      [&, waited = caught_up.get_future().share()](const pak::Progress& progress) {
        progress(1, 3);
        waited.wait();
        progress(2, 3);
        progress(3, 3);
      },
      [&](std::size_t done, std::size_t) { shown.push_back(done); }, [&] { ++ends; });
  ASSERT_TRUE(queue.WaitFor(1));
  queue.RunAll();
  caught_up.set_value();
  ASSERT_TRUE(queue.WaitFor(2));  // the second report and the end
  queue.RunAll();
  EXPECT_EQ(shown, (std::vector<std::size_t>{1, 2}));
  EXPECT_EQ(ends, 1);

  // The next job on the same runner; one without a progress callback may still report.
  runner.Start([](const pak::Progress& progress) { progress(1, 1); }, {}, [&] { ++ends; });
  ASSERT_TRUE(queue.WaitFor(2));
  queue.RunAll();
  EXPECT_EQ(ends, 2);
}

}  // namespace
}  // namespace shell

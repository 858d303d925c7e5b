// The worker thread of the window: what reaches the window's thread, and when.
#include "shell/work.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <system_error>
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

// A job that reports two of three entries, then does what `end` says; Finish keeps what it heard.
class TwoEntries : public Job {
 public:
  explicit TwoEntries(std::function<pak::Status(const pak::StopFlag&)> end)
      : end_(std::move(end)) {}
  pak::Status Run(const pak::Progress& progress, const pak::StopFlag& stop) override {
    progress(1, 3);
    progress(2, 3);
    return end_(stop);
  }
  void Finish(const pak::Status& status, std::size_t count) override {
    finished = status;
    done = count;
  }
  pak::Status finished;
  std::size_t done = 0;

 private:
  std::function<pak::Status(const pak::StopFlag&)> end_;
};

TEST(WorkRun, TheEndHearsTheStatusAndTheLastCountAndAThrowIsAFailure) {
  const struct {
    const char* what;
    std::function<pak::Status(const pak::StopFlag&)> end;
    bool stop;
    pak::Status::Kind kind;
    std::string message;
    int error_number;
  } cases[] = {
      {"success", [](const pak::StopFlag&) { return pak::Status::Ok(); }, false,
       pak::Status::Kind::kOk, "", 0},
      {"stop",
       [](const pak::StopFlag& stop) {
         return stop.load() ? pak::Status::Cancelled("stopped") : pak::Status::Ok();
       },
       true, pak::Status::Kind::kCancelled, "", 0},
      {"system error",
       [](const pak::StopFlag&) -> pak::Status {
         throw std::system_error(5, std::generic_category(), "disk");
       },
       false, pak::Status::Kind::kIoError, "", 5},
      {"other error", [](const pak::StopFlag&) -> pak::Status { throw std::runtime_error("boom"); },
       false, pak::Status::Kind::kIoError, "boom", 0},
  };
  for (const auto& c : cases) {
    auto owned = std::make_unique<TwoEntries>(c.end);
    TwoEntries& job = *owned;
    WorkRun run(std::move(owned));
    if (c.stop) run.Stop();
    std::vector<std::size_t> posted;
    run.Run([&](std::size_t done, std::size_t) { posted.push_back(done); });
    run.Finish();
    EXPECT_EQ(posted, (std::vector<std::size_t>{1, 2})) << c.what;
    EXPECT_EQ(job.done, 2u) << c.what;
    EXPECT_EQ(job.finished.kind(), c.kind) << c.what;
    EXPECT_EQ(run.status().kind(), c.kind) << c.what;
    EXPECT_EQ(run.stop_asked(), c.stop) << c.what;
    if (!c.message.empty()) {
      EXPECT_EQ(job.finished.message(), c.message) << c.what;
    }
    if (c.kind == pak::Status::Kind::kIoError) {
      EXPECT_EQ(job.finished.error_number(), c.error_number) << c.what;
    }
  }
}

}  // namespace
}  // namespace shell

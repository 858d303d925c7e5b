#include "shell/work.h"

#include <atomic>
#include <exception>
#include <memory>
#include <system_error>
#include <utility>

namespace shell {

ThreadRunner::~ThreadRunner() {
  if (thread_.joinable()) thread_.join();
}

void ThreadRunner::Start(Task task, pak::Progress progress, std::function<void()> finished) {
  // The last task has already posted its end; its thread is about to leave, if it has not.
  if (thread_.joinable()) thread_.join();
  auto queued = std::make_shared<std::atomic<bool>>(false);
  thread_ = std::thread([post = post_, task = std::move(task), queued,
                         progress = std::move(progress), finished = std::move(finished)] {
    task([&](const pak::ProgressCount& count) {
      if (queued->exchange(true)) return;
      post([queued, progress, count] {
        queued->store(false);
        if (progress) progress(count);
      });
    });
    post(finished);
  });
}

void WorkRun::Run(const pak::Progress& post) {
  try {
    status_ = job_->Run(
        [&](const pak::ProgressCount& count) {
          done_.store(count.entries);
          if (post) post(count);
        },
        stop_);
  } catch (const std::system_error& e) {
    status_ = pak::Status::IoError(e.what(), e.code().value());
  } catch (const std::exception& e) {
    status_ = pak::Status::IoError(e.what(), 0);
  }
}

}  // namespace shell

#include "shell/work.h"

#include <atomic>
#include <memory>
#include <utility>

namespace shell {

ThreadRunner::~ThreadRunner() {
  if (thread_.joinable()) thread_.join();
}

void ThreadRunner::Start(Job job, pak::Progress progress, std::function<void()> finished) {
  // The last job has already posted its end; its thread is about to leave, if it has not.
  if (thread_.joinable()) thread_.join();
  auto queued = std::make_shared<std::atomic<bool>>(false);
  thread_ = std::thread([post = post_, job = std::move(job), queued, progress = std::move(progress),
                         finished = std::move(finished)] {
    job([&](std::size_t done, std::size_t total) {
      if (queued->exchange(true)) return;
      post([queued, progress, done, total] {
        queued->store(false);
        if (progress) progress(done, total);
      });
    });
    post(finished);
  });
}

}  // namespace shell

#include "shell/win32/win32_work.h"

#include <memory>
#include <utility>

namespace shell::win32 {
namespace {

// Hands `call` to the window's thread; a window that is gone drops it.
void Post(HWND window, std::function<void()> call) {
  auto owned = std::make_unique<std::function<void()>>(std::move(call));
  if (::PostMessageW(window, kWorkMessage, 0, reinterpret_cast<LPARAM>(owned.get()))) {
    owned.release();  // the window frees it
  }
}

}  // namespace

void RunPostedWork(LPARAM call) {
  const std::unique_ptr<std::function<void()>> owned(
      reinterpret_cast<std::function<void()>*>(call));
  if (owned && *owned) (*owned)();
}

Win32WorkRunner::~Win32WorkRunner() {
  if (thread_.joinable()) thread_.join();
}

void Win32WorkRunner::Start(Job job, pak::Progress progress, std::function<void()> finished) {
  // The last job has already posted its end; its thread is about to leave, if it has not.
  if (thread_.joinable()) thread_.join();
  // At most one progress message waits in the queue: a fast job cannot flood it.
  auto queued = std::make_shared<std::atomic<bool>>(false);
  thread_ = std::thread([window = window_, job = std::move(job), queued,
                         progress = std::move(progress), finished = std::move(finished)] {
    job([&](std::size_t done, std::size_t total) {
      if (queued->exchange(true)) return;
      Post(window, [queued, progress, done, total] {
        queued->store(false);
        if (progress) progress(done, total);
      });
    });
    Post(window, finished);
  });
}

}  // namespace shell::win32

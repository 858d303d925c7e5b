#include "shell/qt/qt_work.h"

#include <QMetaObject>
#include <atomic>
#include <memory>
#include <utility>

namespace shell::qt {

QtWorkRunner::~QtWorkRunner() {
  if (thread_.joinable()) thread_.join();
}

void QtWorkRunner::Start(Job job, pak::Progress progress, std::function<void()> finished) {
  // The last job has already posted its end; its thread is about to leave, if it has not.
  if (thread_.joinable()) thread_.join();
  // At most one progress call waits in the window's queue: a fast job cannot flood it, and the
  // window shows the newest count once it gets to it.
  auto queued = std::make_shared<std::atomic<bool>>(false);
  thread_ = std::thread([context = context_, job = std::move(job), queued,
                         progress = std::move(progress), finished = std::move(finished)] {
    job([&](std::size_t done, std::size_t total) {
      if (queued->exchange(true)) return;
      QMetaObject::invokeMethod(
          context,
          [queued, progress, done, total] {
            queued->store(false);
            if (progress) progress(done, total);
          },
          Qt::QueuedConnection);
    });
    QMetaObject::invokeMethod(context, finished, Qt::QueuedConnection);
  });
}

}  // namespace shell::qt

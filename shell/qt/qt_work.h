// Work on a worker thread for the Qt front end: each job runs on a thread of its own, and its
// progress and end come back to the window's thread as queued calls.
#pragma once

#include <QObject>
#include <thread>

#include "shell/work.h"

namespace shell::qt {

class QtWorkRunner : public shell::WorkRunner {
 public:
  // `context` is the object whose thread hears of progress and ends; the calls are dropped once
  // it is gone.
  explicit QtWorkRunner(QObject* context) : context_(context) {}
  // Waits for a job still running.
  ~QtWorkRunner() override;
  QtWorkRunner(const QtWorkRunner&) = delete;
  QtWorkRunner& operator=(const QtWorkRunner&) = delete;

  void Start(Job job, pak::Progress progress, std::function<void()> finished) override;

 private:
  QObject* context_;
  std::thread thread_;
};

}  // namespace shell::qt

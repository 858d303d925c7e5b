// Long work (reading an archive, extracting, packing) runs off the window's thread, so that the
// window keeps painting and answering while it runs.
//
// A WorkRunner is what a front end supplies: it runs a job on a worker thread and brings the
// job's progress and its end back to the window's thread. The job gets a Progress to call from
// the worker; the runner may drop progress reports the window has not caught up with, but never
// the end. ThreadRunner is that runner for any front end that can hand a call to the window's
// thread; InlineRunner runs the job on the caller's thread, start to end, for front ends and
// tests that need no worker.
#pragma once

#include <cstddef>
#include <functional>
#include <thread>

#include "codec/writer.h"

namespace shell {

enum class WorkState {
  kIdle,        // nothing ran yet, or the last work was cancelled
  kRunning,     // a job runs
  kCancelling,  // asked to stop; the job ends before its next entry
  kDone,        // the last job succeeded
  kFailed,      // the last job failed
};

class WorkRunner {
 public:
  using Job = std::function<void(const pak::Progress& progress)>;
  virtual ~WorkRunner() = default;
  // Runs `job` on a worker thread. `progress` and then `finished` are called on the window's
  // thread; `finished` once the job has returned.
  virtual void Start(Job job, pak::Progress progress, std::function<void()> finished) = 0;
};

// Runs each job on a thread of its own; the front end supplies only `post`, which hands a call
// from the worker to the window's thread and may drop it once the window is gone. At most one
// progress report waits there at a time: a fast job cannot flood the window's queue, and the
// window shows the newest count once it gets to it. The end is always posted, after the job has
// returned.
class ThreadRunner : public WorkRunner {
 public:
  using Post = std::function<void(std::function<void()> call)>;
  explicit ThreadRunner(Post post) : post_(std::move(post)) {}
  // Waits for a job still running.
  ~ThreadRunner() override;
  ThreadRunner(const ThreadRunner&) = delete;
  ThreadRunner& operator=(const ThreadRunner&) = delete;

  void Start(Job job, pak::Progress progress, std::function<void()> finished) override;

 private:
  Post post_;
  std::thread thread_;
};

class InlineRunner : public WorkRunner {
 public:
  void Start(Job job, pak::Progress progress, std::function<void()> finished) override {
    job(progress);
    finished();
  }
};

}  // namespace shell

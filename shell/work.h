// Long work (reading an archive, extracting, packing) runs off the window's thread, so that the
// window keeps painting and answering while it runs.
//
// A WorkRunner is what a front end supplies: it runs a task on a worker thread and brings the
// task's progress and its end back to the window's thread. The task gets a Progress to call from
// the worker; the runner may drop progress reports the window has not caught up with, but never
// the end. ThreadRunner is that runner for any front end that can hand a call to the window's
// thread; InlineRunner runs the task on the caller's thread, start to end, for front ends and
// tests that need no worker.
//
// What the window's logic hands a runner is a Job: one function that runs on the worker and one
// that finishes on the window's thread. A WorkRun holds one job with what its two halves share:
// the job's status, the count of entries it reported done, and the flag that asks it to stop.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <thread>

#include "codec/status.h"
#include "codec/writer.h"

namespace shell {

enum class WorkState {
  kIdle,        // nothing ran yet, or the last work was cancelled
  kRunning,     // a job runs
  kCancelling,  // asked to stop; the job ends before its next entry, or inside a large one
  kDone,        // the last job succeeded
  kFailed,      // the last job failed
};

class WorkRunner {
 public:
  // What runs on the worker; for the window's logic, a job's Run (WorkRun::Run).
  using Task = std::function<void(const pak::Progress& progress)>;
  virtual ~WorkRunner() = default;
  // Runs `task` on a worker thread. `progress` and then `finished` are called on the window's
  // thread; `finished` once the task has returned.
  virtual void Start(Task task, pak::Progress progress, std::function<void()> finished) = 0;
};

// Runs each task on a thread of its own; the front end supplies only `post`, which hands a call
// from the worker to the window's thread and may drop it once the window is gone. At most one
// progress report waits there at a time: a fast task cannot flood the window's queue, and the
// window shows the newest count once it gets to it. The end is always posted, after the task has
// returned.
class ThreadRunner : public WorkRunner {
 public:
  using Post = std::function<void(std::function<void()> call)>;
  explicit ThreadRunner(Post post) : post_(std::move(post)) {}
  // Waits for a task still running.
  ~ThreadRunner() override;
  ThreadRunner(const ThreadRunner&) = delete;
  ThreadRunner& operator=(const ThreadRunner&) = delete;

  void Start(Task task, pak::Progress progress, std::function<void()> finished) override;

 private:
  Post post_;
  std::thread thread_;
};

class InlineRunner : public WorkRunner {
 public:
  void Start(Task task, pak::Progress progress, std::function<void()> finished) override {
    task(progress);
    finished();
  }
};

// Long work of the window's logic, in two halves.
class Job {
 public:
  virtual ~Job() = default;
  // On the worker: does the work, reports each entry (and the bytes inside a large one) through
  // `progress` and ends early, with a kCancelled status, once `stop` is set. It touches nothing of
  // the window's: the window and its logic may be gone before the worker is.
  virtual pak::Status Run(const pak::Progress& progress, const pak::StopFlag& stop) = 0;
  // On the window's thread, once Run has returned: the status Run returned and the number of
  // entries it reported done.
  virtual void Finish(const pak::Status& status, std::size_t done) = 0;
};

// One run of a job. The worker and the window's thread each hold it, so it lives until the later
// of the two lets it go.
class WorkRun {
 public:
  explicit WorkRun(std::unique_ptr<Job> job) : job_(std::move(job)) {}

  // On the worker: runs the job, counting each entry it reports before passing the report to
  // `post`. Nothing may escape a worker thread: an error thrown by the job ends it as a failure.
  void Run(const pak::Progress& post);
  // On the window's thread, once Run has returned: hands the job its status and count.
  void Finish() { job_->Finish(status_, done_.load()); }

  // Asks the job to stop before its next entry.
  void Stop() { stop_.store(true); }
  // Whether a stop was asked, even when the job ended before it could stop.
  bool stop_asked() const { return stop_.load(); }
  // Once Run has returned: what it ended with.
  const pak::Status& status() const { return status_; }

 private:
  std::unique_ptr<Job> job_;
  pak::StopFlag stop_{false};
  std::atomic<std::size_t> done_{0};
  pak::Status status_;
};

}  // namespace shell

// Work on a worker thread for the Win32 front end: each job runs on a thread of its own, and its
// progress and end come back to the window's thread as posted messages (kWorkMessage, whose
// LPARAM is a call the window runs once and frees: RunPostedWork).
#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "shell/win32/windows_api.h"
#include "shell/work.h"

namespace shell::win32 {

inline constexpr UINT kWorkMessage = WM_APP + 1;

// What a window does with kWorkMessage's LPARAM.
void RunPostedWork(LPARAM call);

class Win32WorkRunner : public shell::WorkRunner {
 public:
  // `window` hears of progress and ends; the calls are dropped once it is gone.
  explicit Win32WorkRunner(HWND window) : window_(window) {}
  // Waits for a job still running.
  ~Win32WorkRunner() override;
  Win32WorkRunner(const Win32WorkRunner&) = delete;
  Win32WorkRunner& operator=(const Win32WorkRunner&) = delete;

  void Start(Job job, pak::Progress progress, std::function<void()> finished) override;

 private:
  HWND window_;
  std::thread thread_;
};

}  // namespace shell::win32

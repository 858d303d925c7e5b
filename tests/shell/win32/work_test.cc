// The Win32 worker in process, on the real main window: the job runs on a thread of its own, its
// progress and end come back through the window's message loop, the window keeps answering
// while the job runs, and Escape or the close picture stop an extraction between two entries.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "extractor/unbaler_logic.h"
#include "shell/win32/main_window.h"
#include "tests/support/fakes.h"
#include "tests/support/test_support.h"
#include "tests/support/win32/dialog_driver.h"

namespace {

using shell::Program;
using shell::Role;
using shell::win32::MainWindow;
using testing_support::MakeArchive;
using testing_support::ReadText;
using testing_support::TempDir;
using testing_support::WriteFile;
using win32_testing::WindowText;

// Pumps this thread's messages until `done` holds; false when it still does not after 10 s.
bool PumpUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

// Waits on the worker, without touching any message, until `done` holds or 10 s have passed.
bool WaitUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

std::atomic<int> timer_ticks{0};
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++timer_ticks; }

TEST(Win32Worker, TheJobRunsOffTheWindowThreadWhileTheWindowKeepsAnswering) {
  MainWindow window(Program::kUnbaler);
  const DWORD window_thread = ::GetCurrentThreadId();
  std::atomic<DWORD> job_thread{0};
  std::atomic<int> seen{0};  // progress calls the window has had
  std::atomic<bool> job_returned{false};
  bool send_answered = false;
  bool ticked_meanwhile = false;
  std::vector<std::size_t> progress_counts;
  std::vector<DWORD> progress_threads;
  int finished = 0;
  DWORD finished_thread = 0;
  bool finished_after_job = false;

  timer_ticks = 0;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, CountTick);
  window.runner().Start(
      [&](const pak::Progress& progress) {
        job_thread = ::GetCurrentThreadId();
        // A message sent to the window is answered only while its thread runs its loop.
        DWORD_PTR answer = 0;
        send_answered =
            ::SendMessageTimeoutW(window.hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer) != 0;
        const int ticks = timer_ticks;
        ticked_meanwhile = WaitUntil([&] { return timer_ticks >= ticks + 3; });
        for (std::size_t done = 1; done <= 3; ++done) {
          progress(done, 3);
          WaitUntil([&] { return seen >= static_cast<int>(done); });
        }
        job_returned = true;
      },
      [&](std::size_t done, std::size_t) {
        progress_counts.push_back(done);
        progress_threads.push_back(::GetCurrentThreadId());
        ++seen;
      },
      [&] {
        ++finished;
        finished_thread = ::GetCurrentThreadId();
        finished_after_job = job_returned;
      });
  ASSERT_TRUE(PumpUntil([&] { return finished > 0; }));
  ::KillTimer(nullptr, timer);
  win32_testing::Pump(50);  // nothing more comes

  EXPECT_NE(job_thread.load(), 0u);
  EXPECT_NE(job_thread.load(), window_thread);
  EXPECT_TRUE(send_answered);
  EXPECT_TRUE(ticked_meanwhile);
  EXPECT_EQ(progress_counts, (std::vector<std::size_t>{1, 2, 3}));
  EXPECT_EQ(progress_threads, std::vector<DWORD>(3, window_thread));
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(finished_thread, window_thread);
  EXPECT_TRUE(finished_after_job);
}

// A window that is slow to get to its messages gets one progress call, not one per entry, and
// always the end after it.
TEST(Win32Worker, ProgressTheWindowHasNotCaughtUpWithIsDroppedButNeverTheEnd) {
  MainWindow window(Program::kRebaler);
  std::atomic<bool> job_returned{false};
  std::vector<std::string> heard;
  window.runner().Start(
      [&](const pak::Progress& progress) {
        for (std::size_t done = 1; done <= 1000; ++done) progress(done, 1000);
        job_returned = true;
      },
      [&](std::size_t done, std::size_t total) {
        heard.push_back(std::to_string(done) + "/" + std::to_string(total));
      },
      [&] { heard.push_back("end"); });
  // The window's thread is busy meanwhile: the job's messages wait in its queue.
  ASSERT_TRUE(WaitUntil([&] { return job_returned.load(); }));
  ASSERT_TRUE(PumpUntil([&] { return !heard.empty() && heard.back() == "end"; }));
  win32_testing::Pump(50);
  ASSERT_EQ(heard.size(), 2u) << ::testing::PrintToString(heard);
  EXPECT_TRUE(heard[0].ends_with("/1000")) << heard[0];
  EXPECT_EQ(heard[1], "end");
}

// A second job waits for nothing but the first one's thread, and reports as the first did.
TEST(Win32Worker, JobsRunOneAfterAnother) {
  MainWindow window(Program::kUnbaler);
  std::vector<int> ended;
  for (int job = 1; job <= 3; ++job) {
    window.runner().Start([](const pak::Progress& progress) { progress(1, 1); }, {},
                          [&ended, job] { ended.push_back(job); });
    ASSERT_TRUE(PumpUntil([&] { return ended.size() == static_cast<std::size_t>(job); }));
  }
  EXPECT_EQ(ended, (std::vector<int>{1, 2, 3}));
}

// Unbaler's logic on the real window and its worker, with fake dialogs and real folders.
struct Unbaler {
  Unbaler() : logic(window, dialog, box, folders, pak::DefaultFileSystem(), pak::Windows1252()) {
    window.SetPointer(&pointer);
    folders.window = 0;
    window.Load(&logic);
    logic.SetRunner(window.runner());
  }
  std::wstring Status() const {
    return WindowText(::GetDlgItem(window.hwnd(), shell::win32::kStatusId));
  }
  bool Enabled(Role role) const { return ::IsWindowEnabled(window.Control(role)) != FALSE; }

  MainWindow window{Program::kUnbaler};
  testing_support::FakePointer pointer;
  testing_support::FakeFileDialog dialog;
  testing_support::FakeMessageBox box;
  testing_support::FakeFolderBackend folders;
  extractor::UnbalerLogic logic;
};

std::wstring W(const std::filesystem::path& path) { return path.wstring(); }

enum class StopBy { kEscape, kClose };

// The extraction is held on the worker after its first entry until the window has been asked to
// stop; it then ends before the second, with the first entry whole and the rest absent.
TEST(Win32Worker, EscapeAndTheClosePictureStopAnExtractionBetweenEntries) {
  for (const StopBy stop : {StopBy::kEscape, StopBy::kClose}) {
    SCOPED_TRACE(stop == StopBy::kEscape ? "Escape" : "close picture");
    TempDir work, out;
    WriteFile(work / "a.pak", MakeArchive({{u"a", {1}}, {u"b", {2}}, {u"c", {3}}}));
    Unbaler u;
    bool unloaded = false;
    u.window.SetOnUnloaded([&] { unloaded = true; });
    u.dialog.answers.push_back((work / "a.pak").u16string());
    u.window.controller().Click(shell::Command::kSelectFile);
    ASSERT_TRUE(PumpUntil([&] { return u.logic.entry_count() == 3 && !u.logic.Working(); }));
    u.folders.Choose(out.path().u16string());
    u.window.controller().Click(shell::Command::kSelectDir);
    ASSERT_TRUE(u.Enabled(Role::kMainCommand));

    std::atomic<bool> release{false};
    u.logic.ExtractAll(
        [&](std::size_t, std::size_t) { WaitUntil([&] { return release.load(); }); });
    ASSERT_TRUE(PumpUntil([&] { return u.Status() == L"Extracting 1 of 3, 1 of 3 bytes"; }))
        << u.Status();
    for (Role role : {Role::kSelectFile, Role::kSelectDir, Role::kMainCommand}) {
      EXPECT_FALSE(u.Enabled(role)) << static_cast<int>(role);
    }
    // The path labels keep their look (a disabled label draws grey), but a click on one chooses
    // nothing while work runs.
    for (Role role : {Role::kFileName, Role::kDir}) {
      EXPECT_TRUE(u.Enabled(role)) << static_cast<int>(role);
      ::SendMessageW(u.window.Control(role), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      ::SendMessageW(u.window.Control(role), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    EXPECT_EQ(u.dialog.requests.size(), 1u);
    EXPECT_EQ(u.folders.requests.size(), 1u);
    if (stop == StopBy::kEscape) {
      ::SendMessageW(u.window.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    } else {
      u.window.controller().Click(shell::Command::kClose);
    }
    EXPECT_EQ(u.logic.work_state(), shell::WorkState::kCancelling);
    EXPECT_EQ(u.Status(), L"Stopping\u2026");
    release = true;
    ASSERT_TRUE(PumpUntil([&] { return u.logic.work_state() == shell::WorkState::kIdle; }));

    EXPECT_EQ(u.Status(), L"Extraction stopped: 1 file extracted into " + W(out.path()));
    EXPECT_EQ(ReadText(out / "FilesList.txt"), std::string("a\r\n"));
    EXPECT_EQ(ReadText(out / "a"), std::string("\x01"));
    EXPECT_FALSE(std::filesystem::exists(out / "b"));
    EXPECT_TRUE(u.box.shown.empty());
    if (stop == StopBy::kEscape) {
      EXPECT_TRUE(u.Enabled(Role::kSelectFile));
      EXPECT_TRUE(u.Enabled(Role::kMainCommand));
      EXPECT_FALSE(unloaded);
    } else {
      // Once the work has stopped, the close that was asked for goes on: the window fades out.
      EXPECT_TRUE(PumpUntil([&] { return unloaded; }));
    }
  }
}

}  // namespace

// Measures the real Win32 main window (under Wine, on a private X server): how long choosing an
// archive takes from the dialog's answer to its list painted, and the longest stretch without a
// paint of the window, and without a tick of a 16 ms timer that asks for one, while the window
// extracts or packs. The dialogs answer with the paths given; a difference dialog continues.
//
//     window_probe unbaler ARCHIVE FOLDER [HOLD_DIR]
//     window_probe rebaler FOLDER ARCHIVE [HOLD_DIR]
//
// With HOLD_DIR the work is held halfway, and the window again once the work has ended, each
// time until a file named "go" appears in HOLD_DIR (the probe removes it); the probe writes
// "held" there meanwhile, so that a script can take a screenshot of the progress and of the
// status line.
//
//     window_probe diff COUNT [HOLD_DIR]
//
// Shows Rebaler's difference dialog with COUNT added names and COUNT / 4 names without a file, and
// times it from the call until both lists are painted and until the dialog has answered (Cancel,
// clicked as soon as it shows). With HOLD_DIR the dialog is held, as the window above, before the
// click.
// First: it keeps the Windows headers' names off the project's.
#include "shell/win32/windows_api.h"
//
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/scripted_answers.h"
#include "extractor/unbaler_logic.h"
#include "repacker/rebaler_logic.h"
#include "repacker/win32/difference_dialog.h"
#include "shell/win32/main_window.h"
#include "tests/support/fakes.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::u16string U16(const std::wstring& text) { return {text.begin(), text.end()}; }

std::wstring WindowTextOf(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The window's messages, with the stretches between its paints and between the timer's ticks.
class Loop {
 public:
  explicit Loop(HWND window) : window_(window) {}
  void Begin() {
    start_ = last_paint_ = last_tick_ = Clock::now();
    longest_paint_ = longest_tick_ = {};
    paints_ = 0;
  }
  // Pumps until `done` holds (false after 600 s).
  bool Until(const std::function<bool()>& done) {
    const auto deadline = Clock::now() + std::chrono::seconds(600);
    while (!done()) {
      if (Clock::now() > deadline) return false;
      MSG message;
      while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        const auto now = Clock::now();
        if (message.message == WM_PAINT && message.hwnd == window_) {
          longest_paint_ = std::max(longest_paint_, now - last_paint_);
          last_paint_ = now;
          ++paints_;
        } else if (message.message == WM_TIMER && message.hwnd == nullptr) {
          longest_tick_ = std::max(longest_tick_, now - last_tick_);
          last_tick_ = now;
          ::InvalidateRect(window_, nullptr, FALSE);
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
      }
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
  }
  void Print(const char* what) const {
    const auto now = Clock::now();
    std::printf(
        "%s: %.0f ms, %d paints, longest without a paint %.1f ms, longest without a timer tick "
        "%.1f ms\n",
        what, Ms(now - start_), paints_, Ms(std::max(longest_paint_, now - last_paint_)),
        Ms(std::max(longest_tick_, now - last_tick_)));
    std::fflush(stdout);
  }

 private:
  HWND window_;
  Clock::time_point start_, last_paint_, last_tick_;
  Clock::duration longest_paint_{}, longest_tick_{};
  int paints_ = 0;
};

// Writes HOLD_DIR/held and waits (off the window's thread, or pumping on it) for HOLD_DIR/go.
class Hold {
 public:
  explicit Hold(std::wstring dir) : dir_(std::move(dir)) {}
  bool on() const { return !dir_.empty(); }
  void Write() const {
    if (std::FILE* file = _wfopen((dir_ + L"\\held").c_str(), L"w")) std::fclose(file);
  }
  bool Released() const {
    std::error_code error;
    if (!std::filesystem::exists(dir_ + L"\\go", error)) return false;
    std::filesystem::remove(dir_ + L"\\go", error);
    std::filesystem::remove(dir_ + L"\\held", error);
    return true;
  }

 private:
  std::wstring dir_;
};

// The difference dialog, timed from inside its modal loop.
struct DiffProbe {
  Clock::time_point start;
  const Hold* hold = nullptr;
  bool painted = false;
  bool clicked = false;
};
DiffProbe g_diff;

void CALLBACK DiffTick(HWND, UINT, UINT_PTR, DWORD) {
  const HWND dialog = ::FindWindowW(L"#32770", L"Files List Diff");
  if (dialog == nullptr || !::IsWindowVisible(dialog) || g_diff.clicked) return;
  if (!g_diff.painted) {
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    g_diff.painted = true;
    std::printf("difference dialog, from the call to its lists painted: %.1f ms\n",
                Ms(Clock::now() - g_diff.start));
    std::fflush(stdout);
    if (g_diff.hold->on()) g_diff.hold->Write();
  }
  if (g_diff.hold->on() && !g_diff.hold->Released()) return;
  g_diff.clicked = true;
  const int cancel = repacker::win32::DiffControlId(repacker::kDiffCancel);
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(cancel, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, cancel)));
}

int ProbeDiff(long count, const Hold& hold) {
  std::vector<std::u16string> added, deleted;
  for (long i = 0; i < count; ++i) {
    const std::string name = "sound\\added_" + std::to_string(i) + ".ogg";
    added.emplace_back(name.begin(), name.end());
    if (i % 4 == 0) {
      const std::string gone = "music\\gone_" + std::to_string(i) + ".ogg";
      deleted.emplace_back(gone.begin(), gone.end());
    }
  }
  repacker::win32::DifferenceDialog dialog(nullptr);
  g_diff.hold = &hold;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 5, &DiffTick);
  g_diff.start = Clock::now();
  const repacker::DiffAnswer answer = dialog.ShowDiff(added, deleted);
  std::printf("difference dialog, from the call to its answer: %.1f ms (%zu and %zu names)\n",
              Ms(Clock::now() - g_diff.start), added.size(), deleted.size());
  ::KillTimer(nullptr, timer);
  return g_diff.painted && answer == repacker::DiffAnswer::kCancel ? 0 : 1;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  const std::wstring program = argc >= 3 ? argv[1] : L"";
  if (program == L"diff" && argc <= 4) {
    return ProbeDiff(std::wcstol(argv[2], nullptr, 10), Hold(argc == 4 ? argv[3] : L""));
  }
  if (argc < 4 || argc > 5 || (program != L"unbaler" && program != L"rebaler")) {
    std::fprintf(stderr,
                 "usage: window_probe unbaler ARCHIVE FOLDER [HOLD_DIR]\n"
                 "       window_probe rebaler FOLDER ARCHIVE [HOLD_DIR]\n"
                 "       window_probe diff COUNT [HOLD_DIR]\n");
    return 2;
  }
  const bool unbaler = program == L"unbaler";
  const Hold hold(argc == 5 ? argv[4] : L"");

  const shell::Program which = unbaler ? shell::Program::kUnbaler : shell::Program::kRebaler;
  shell::win32::MainWindow window(which);
  testing_support::FakeFileDialog file;
  file.answer = U16(argv[unbaler ? 2 : 3]);
  testing_support::FakeFolderBackend folder;
  folder.window = 0;
  folder.answer = U16(argv[unbaler ? 3 : 2]);
  testing_support::FakeMessageBox box;
  const std::unique_ptr<shell::ProgramLogic> logic =
      bench_support::MakeLogic(which, window, file, box, folder);
  window.Load(logic.get());
  logic->SetRunner(window.runner());

  Loop loop(window.hwnd());
  ::SetTimer(nullptr, 0, 16, nullptr);
  // The fade-in ends at 235 of 255.
  loop.Until([&] {
    BYTE alpha = 0;
    return ::GetLayeredWindowAttributes(window.hwnd(), nullptr, &alpha, nullptr) && alpha >= 235;
  });

  // From the file dialog's answer to the list painted.
  loop.Begin();
  window.controller().Click(shell::Command::kSelectFile);
  loop.Until([&] { return !logic->Working(); });
  ::RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  const auto list_items = ::SendMessageW(window.Control(shell::Role::kFiles), LB_GETCOUNT, 0, 0);
  loop.Print("choose the archive");
  std::printf("list items: %ld\n", static_cast<long>(list_items));

  // The window's own part of a new list, without the read: as many names again, replacing those
  // shown, until painted.
  {
    std::vector<std::u16string> names;
    for (long i = 0; i < static_cast<long>(list_items); ++i) {
      const std::string name = "sound\\entry_" + std::to_string(i) + ".ogg";
      names.emplace_back(name.begin(), name.end());
    }
    const auto start = Clock::now();
    window.SetListItems(names);
    ::RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::printf("list again, from the names to the list painted: %.1f ms\n",
                Ms(Clock::now() - start));
    std::fflush(stdout);
  }

  loop.Begin();
  window.controller().Click(shell::Command::kSelectDir);
  loop.Until([&] { return !logic->Working(); });
  loop.Print("choose the folder");

  const pak::Progress halfway = [&](std::size_t done, std::size_t total) {
    if (!hold.on() || done != (total + 1) / 2) return;
    hold.Write();
    while (!hold.Released()) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  };
  loop.Begin();
  if (unbaler) {
    static_cast<extractor::UnbalerLogic&>(*logic).ExtractAll(halfway);
  } else {
    static_cast<repacker::RebalerLogic&>(*logic).RepackAll(halfway);
  }
  loop.Until([&] { return !logic->Working(); });
  loop.Print(unbaler ? "extract" : "pack");
  std::printf("status line: %ls\n",
              WindowTextOf(::GetDlgItem(window.hwnd(), shell::win32::kStatusId)).c_str());
  for (const auto& shown : box.shown) {
    std::printf("box: %ls\n", std::wstring(shown.text.begin(), shown.text.end()).c_str());
  }
  if (hold.on()) {
    hold.Write();
    loop.Until([&] { return hold.Released(); });
  }
  return box.shown.empty() ? 0 : 1;
}

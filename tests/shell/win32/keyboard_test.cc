// frmMain on Win32 from the keyboard, through the program's own message loop: Tab over the
// buttons and the list, Enter and Space on the focused button, the focus leaving a control turned
// off and coming back after another window, Escape during work, and Alt+F4.
#include "shell/keyboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/win32/main_window.h"
#include "shell/win32/program.h"
#include "tests/support/fakes.h"

namespace {

using shell::Program;
using shell::Role;
using shell::win32::MainWindow;

// A loaded window with its main command on, the pointer away from every button.
struct Keyed {
  explicit Keyed(Program program) : window(program), commands(window) {
    window.SetPointer(&pointer);
    window.Load(&commands);
    ::KillTimer(window.hwnd(), shell::win32::kHoverTimer);
    window.SetMainCommandEnabled(true);
    ::SetFocus(window.hwnd());
    commands.calls.clear();
  }
  // A key as the system delivers it: posted to the focused window and dispatched by the loop.
  void Press(UINT message, WPARAM key, LPARAM flags = 0) {
    const HWND focus = ::GetFocus();
    ::PostMessageW(focus != nullptr ? focus : window.hwnd(), message, key, flags);
    ::PostQuitMessage(0);
    shell::win32::RunMessageLoop();
  }
  int Focused() const { return ::GetDlgCtrlID(::GetFocus()); }

  MainWindow window;
  testing_support::RecordingCommands commands;
  testing_support::FakePointer pointer;
};

void HoldShift(bool held) {
  BYTE keys[256]{};
  ::GetKeyboardState(keys);
  keys[VK_SHIFT] = held ? 0x80 : 0;
  ::SetKeyboardState(keys);
}

int Id(Role role) { return shell::win32::ControlId(role); }

TEST(MainWindowWin32Keyboard, TabMovesTheFocusAndEnterOrSpaceRunTheFocusedButtonOnce) {
  Keyed w(Program::kUnbaler);
  const LPARAM kHeld = 1 << 30;  // the key was already down: a repeat
  const struct {
    WPARAM key;
    bool shift;
    LPARAM flags;
    bool working;
    Role focused;  // after the key; kTitle: the window itself
    std::vector<std::string> calls;
  } kSteps[] = {
      {VK_RETURN, false, 0, false, Role::kTitle, {}},
      {VK_TAB, false, 0, false, Role::kSelectFile, {}},
      {VK_RETURN, false, 0, false, Role::kSelectFile, {"OnSelectFile"}},
      {VK_RETURN, false, kHeld, false, Role::kSelectFile, {}},
      {VK_TAB, false, 0, false, Role::kSelectDir, {}},
      {VK_TAB, false, 0, false, Role::kMainCommand, {}},
      {VK_SPACE, false, 0, false, Role::kMainCommand, {"OnMainCommand"}},
      {VK_RETURN, false, 0, true, Role::kMainCommand, {}},  // refused while work runs
      {VK_ESCAPE, false, 0, true, Role::kMainCommand, {"OnCancel"}},
      {VK_TAB, false, 0, false, Role::kFiles, {}},
      {VK_RETURN, false, 0, false, Role::kFiles, {}},  // the list's own
      {VK_ESCAPE, false, 0, true, Role::kFiles, {"OnCancel"}},
      // The status strip offers nothing: Tab passes it over to the close picture.
      {VK_TAB, false, 0, false, Role::kClose, {}},
      {VK_TAB, false, 0, false, Role::kSelectFile, {}},
      {VK_TAB, true, 0, false, Role::kClose, {}},
      {VK_TAB, true, 0, false, Role::kFiles, {}},
      {VK_TAB, true, 0, false, Role::kMainCommand, {}},
  };
  for (const auto& step : kSteps) {
    w.commands.working = step.working;
    HoldShift(step.shift);
    w.Press(WM_KEYDOWN, step.key, step.flags);
    HoldShift(false);
    EXPECT_EQ(::GetFocus(),
              step.focused == Role::kTitle ? w.window.hwnd() : w.window.Control(step.focused))
        << step.key;
    EXPECT_EQ(w.commands.calls, step.calls) << step.key;
    w.commands.calls.clear();
  }

  // Work starts with the focus on a path button: it goes on past the controls turned off.
  for (int tab = 0; tab < 3; ++tab) w.Press(WM_KEYDOWN, VK_TAB);
  ASSERT_EQ(w.Focused(), Id(Role::kSelectFile));
  w.window.SetWorking(true);
  EXPECT_EQ(w.Focused(), Id(Role::kMainCommand));
  w.window.SetMainCommandEnabled(false);
  EXPECT_EQ(w.Focused(), Id(Role::kFiles));
  // While work runs only the list and the close picture take the focus.
  w.Press(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(w.Focused(), Id(Role::kClose));
  w.Press(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(w.Focused(), Id(Role::kFiles));
}

TEST(MainWindowWin32Keyboard, TheFocusComesBackFromAnotherWindowAndAltF4FadesOut) {
  Keyed w(Program::kRebaler);
  w.Press(WM_KEYDOWN, VK_TAB);
  ASSERT_EQ(w.Focused(), Id(Role::kSelectDir));
  const HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                       nullptr, nullptr, nullptr, nullptr);
  ::SetActiveWindow(other);
  EXPECT_NE(::GetFocus(), w.window.Control(Role::kSelectDir));
  ::SetActiveWindow(w.window.hwnd());
  EXPECT_EQ(w.Focused(), Id(Role::kSelectDir));
  ::DestroyWindow(other);

  for (int tick = 0; tick < 20; ++tick) w.window.controller().FadeTick();
  const LPARAM kAltDown = 1 << 29;
  w.Press(WM_SYSKEYDOWN, VK_F4, kAltDown);
  EXPECT_EQ(w.window.controller().fade().FadeStep(), -5);
  EXPECT_TRUE(::IsWindow(w.window.hwnd()));
}

}  // namespace

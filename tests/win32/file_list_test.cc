// lstFiles on Win32, in process: several items selected with Ctrl and Shift clicks and reported
// to the logic, a double click or Enter opening an item, and the context menu by right click and
// by keyboard, with fake commands.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "shell/win32/frm_main.h"
#include "shell/win32/win32_services.h"
#include "tests/support/fakes.h"

namespace {

using shell::ListCommand;
using shell::Program;
using shell::Role;
using shell::win32::FrmMain;
using testing_support::RecordingCommands;
using Rows = std::vector<std::size_t>;

// A loaded window whose list holds five names.
struct Loaded {
  explicit Loaded(Program program = Program::kUnbaler) : window(program), commands(window) {
    window.Load(&commands);
    window.SetListItems({u"a", u"b", u"c", u"d", u"e"});
    commands.calls.clear();
  }
  HWND List() const { return window.Control(Role::kFiles); }
  // The middle of an item, in the list's client coordinates.
  LPARAM Item(int item) const {
    RECT row{};
    ::SendMessageW(List(), LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&row));
    return MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
  }
  // Below the last item.
  LPARAM Below() const {
    RECT client{};
    ::GetClientRect(List(), &client);
    return MAKELPARAM(5, client.bottom - 2);
  }
  void Click(LPARAM at, WPARAM keys = 0) const {
    ::SendMessageW(List(), WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
    ::SendMessageW(List(), WM_LBUTTONUP, keys, at);
  }

  FrmMain window;
  RecordingCommands commands;
};

// What a popup menu showed: each item's text and whether it was on.
struct MenuSeen {
  std::vector<std::wstring> texts;
  std::vector<bool> enabled;
};

// Watches for the popup menu of this thread from inside its modal loop, records it, then sends
// it `keys`. One watch at a time.
class MenuDriver {
 public:
  explicit MenuDriver(std::vector<WPARAM> keys) : keys_(std::move(keys)) {
    current_ = this;
    timer_ = ::SetTimer(nullptr, 0, 20, &MenuDriver::Tick);
  }
  ~MenuDriver() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  int menus = 0;
  MenuSeen seen;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    MenuDriver* self = current_;
    const HWND menu_window = ::FindWindowW(L"#32768", nullptr);
    if (self == nullptr || menu_window == nullptr || !::IsWindowVisible(menu_window)) return;
    const auto menu = reinterpret_cast<HMENU>(::SendMessageW(menu_window, MN_GETHMENU, 0, 0));
    if (menu == nullptr) return;
    ++self->menus;
    self->seen = {};
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      wchar_t text[128] = {};
      ::GetMenuStringW(menu, i, text, 128, MF_BYPOSITION);
      self->seen.texts.emplace_back(text);
      self->seen.enabled.push_back((::GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED) == 0);
    }
    for (WPARAM key : self->keys_) ::PostMessageW(menu_window, WM_KEYDOWN, key, 0);
  }

  static inline MenuDriver* current_ = nullptr;
  std::vector<WPARAM> keys_;
  UINT_PTR timer_ = 0;
};

TEST(FileListWin32, CtrlAndShiftClicksSelectSeveralItemsAndTheViewReportsThem) {
  Loaded w;
  EXPECT_NE(::GetWindowLongW(w.List(), GWL_STYLE) & LBS_EXTENDEDSEL, 0);
  const struct {
    int item;
    WPARAM keys;
    Rows selected;
  } kSteps[] = {
      {1, 0, {1}},
      {3, MK_CONTROL, {1, 3}},
      {0, MK_CONTROL, {0, 1, 3}},
      {3, MK_CONTROL, {0, 1}},  // a second Ctrl click drops it
      {2, 0, {2}},
      {4, MK_SHIFT, {2, 3, 4}},  // from the last plain click
  };
  for (const auto& step : kSteps) {
    w.Click(w.Item(step.item), step.keys);
    EXPECT_EQ(w.window.SelectedItems(), step.selected) << step.item;
  }
  // A new list starts with nothing selected.
  w.window.SetListItems({u"z"});
  EXPECT_EQ(w.window.SelectedItems(), Rows{});
}

TEST(FileListWin32, ADoubleClickOrEnterOpensAnItem) {
  Loaded w;
  w.Click(w.Item(2));
  ::SendMessageW(w.List(), WM_LBUTTONDBLCLK, MK_LBUTTON, w.Item(2));
  ::SendMessageW(w.List(), WM_LBUTTONUP, 0, w.Item(2));
  ::SendMessageW(w.List(), WM_LBUTTONDBLCLK, MK_LBUTTON, w.Below());  // on no item
  ::SendMessageW(w.List(), WM_LBUTTONUP, 0, w.Below());
  w.Click(w.Item(4));
  ::SendMessageW(w.List(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(w.commands.calls, (std::vector<std::string>{"OnOpenItem 2", "OnOpenItem 4"}));

  // Enter stays with the list where a dialog manager would look for a default button.
  MSG enter{w.List(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_NE(::SendMessageW(w.List(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
                DLGC_WANTMESSAGE,
            0);
}

TEST(FileListWin32, TheContextMenuShowsTheProgramsItemsAndRunsTheOneChosen) {
  Loaded w;
  w.commands.menu = {{ListCommand::kExtractSelected, u"Extract Selected Files\u2026", true},
                     {ListCommand::kExtractAll, u"Extract All Files", false}};
  {
    // A right click: the list's own handling asks the window for its context menu.
    MenuDriver driver({VK_DOWN, VK_RETURN});
    ::SendMessageW(w.List(), WM_RBUTTONDOWN, MK_RBUTTON, w.Item(0));
    ::SendMessageW(w.List(), WM_RBUTTONUP, 0, w.Item(0));
    ASSERT_EQ(driver.menus, 1);
    EXPECT_EQ(driver.seen.texts,
              (std::vector<std::wstring>{L"Extract Selected Files\u2026", L"Extract All Files"}));
    EXPECT_EQ(driver.seen.enabled, (std::vector<bool>{true, false}));
  }
  EXPECT_EQ(w.commands.calls, std::vector<std::string>{"OnListCommand selected"});
  {
    // The menu key or Shift+F10: the request carries no point; Escape closes the menu.
    MenuDriver driver({VK_ESCAPE});
    ::SendMessageW(w.window.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w.List()), -1);
    EXPECT_EQ(driver.menus, 1);
  }
  EXPECT_EQ(w.commands.calls.size(), 1u);

  // A program without a menu for its list shows none.
  w.commands.menu.clear();
  MenuDriver driver({VK_ESCAPE});
  ::SendMessageW(w.window.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w.List()), -1);
  EXPECT_EQ(driver.menus, 0);
}

TEST(Win32Launcher, AFileThatNoProgramOpensIsAFailure) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "baler-launcher-test";
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "entry.baler-no-such-kind";
  std::ofstream(file) << "data";
  shell::win32::Win32Launcher launcher(nullptr);
  EXPECT_FALSE(launcher.Open(file));
  EXPECT_FALSE(launcher.Open(folder / "missing.txt"));
  std::filesystem::remove_all(folder);
}

}  // namespace

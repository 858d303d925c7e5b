// lstFiles on Win32, in process: several items selected with Ctrl and Shift clicks and reported
// to the logic, a double click or Enter opening an item, and the context menu by right click and
// by keyboard, with fake commands.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "shell/win32/main_window.h"
#include "shell/win32/win32_services.h"
#include "tests/support/fakes.h"
#include "tests/support/win32/dialog_driver.h"

namespace {

using shell::ListCommand;
using shell::Program;
using shell::Role;
using shell::win32::MainWindow;
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

  MainWindow window;
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
  w.window.SetListItems({u"a", u"b", u"c"});  // room below the last
  w.Click(w.Item(2));
  ::SendMessageW(w.List(), WM_LBUTTONDBLCLK, MK_LBUTTON, w.Item(2));
  ::SendMessageW(w.List(), WM_LBUTTONUP, 0, w.Item(2));
  ::SendMessageW(w.List(), WM_LBUTTONDBLCLK, MK_LBUTTON, w.Below());  // on no item
  ::SendMessageW(w.List(), WM_LBUTTONUP, 0, w.Below());
  w.Click(w.Item(1));
  ::SendMessageW(w.List(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(w.commands.calls, (std::vector<std::string>{"OnOpenItem 2", "OnOpenItem 1"}));

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

// A letter typed on the list goes to the next name starting with it, in either case, round to the
// top, and selects that name alone.
TEST(FileListWin32, TypingALetterSelectsTheNextNameStartingWithIt) {
  Loaded w;
  w.window.SetListItems({u"apple", u"Banana", u"avocado", u"cherry", u"b.ogg"});
  const struct {
    wchar_t letter;
    Rows selected;
  } kSteps[] = {
      {L'b', {1}}, {L'B', {4}}, {L'b', {1}},  // round to the top
      {L'a', {2}}, {L'a', {0}}, {L'z', {0}},  // no such name: nothing changes
      {L'c', {3}},
  };
  for (const auto& step : kSteps) {
    ::SendMessageW(w.List(), WM_CHAR, step.letter, 0);
    EXPECT_EQ(w.window.SelectedItems(), step.selected) << static_cast<char>(step.letter);
    EXPECT_EQ(::SendMessageW(w.List(), LB_GETCARETINDEX, 0, 0),
              static_cast<LRESULT>(w.window.SelectedItems()[0]));
  }
  // Ctrl or Shift with a click still add to the selection from there.
  w.Click(w.Item(4), MK_CONTROL);
  EXPECT_EQ(w.window.SelectedItems(), (Rows{3, 4}));
}

// The list keeps no strings of its own: what it shows, its tips and what it answers come from the
// names the window was given.
TEST(FileListWin32, TheRowsShowTheNamesGivenWithTheSelectionHighlighted) {
  Loaded w;
  const std::u16string long_name =
      u"a\\very\\long\\folder\\name\\that\\does\\not\\fit\\the\\list\\box\\of\\the\\"
      u"main\\window\\at\\all.ogg";
  w.window.SetListItems({u"short.ogg", long_name, u"c"});
  EXPECT_EQ(win32_testing::ListItems(w.List()),
            (std::vector<std::wstring>{L"short.ogg",
                                       std::wstring(long_name.begin(), long_name.end()), L"c"}));
  w.Click(w.Item(1));

  // The rows as the list paints them: a row is filled to its right end, in the highlight where
  // selected, and its name is drawn from the left.
  RECT client{};
  ::GetClientRect(w.List(), &client);
  const HDC screen = ::GetDC(nullptr);
  const HDC dc = ::CreateCompatibleDC(screen);
  const HBITMAP picture = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
  ::ReleaseDC(nullptr, screen);
  const HGDIOBJ old = ::SelectObject(dc, picture);
  ::SendMessageW(w.List(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                 PRF_CLIENT | PRF_ERASEBKGND);
  const struct {
    int item;
    COLORREF background;
  } kRows[] = {{0, ::GetSysColor(COLOR_WINDOW)},
               {1, ::GetSysColor(COLOR_HIGHLIGHT)},
               {2, ::GetSysColor(COLOR_WINDOW)}};
  for (const auto& row : kRows) {
    RECT box{};
    ::SendMessageW(w.List(), LB_GETITEMRECT, row.item, reinterpret_cast<LPARAM>(&box));
    const int middle = (box.top + box.bottom) / 2;
    EXPECT_EQ(::GetPixel(dc, box.right - 3, middle), row.background) << row.item;
    bool text = false;
    for (int x = box.left; x < box.left + 12; ++x) {
      for (int y = box.top; y < box.bottom; ++y)
        text = text || ::GetPixel(dc, x, y) != row.background;
    }
    EXPECT_TRUE(text) << row.item;
  }
  ::SelectObject(dc, old);
  ::DeleteObject(picture);
  ::DeleteDC(dc);

  // Only the name cut off at the right shows whole as a tip while the pointer rests on it.
  const HWND tips = win32_testing::ThreadTips();
  const struct {
    int item;
    std::wstring tip;
  } kTips[] = {{0, L""}, {1, std::wstring(long_name.begin(), long_name.end())}, {2, L""}};
  for (const auto& item : kTips) {
    ::SendMessageW(w.List(), WM_MOUSEMOVE, 0, w.Item(item.item));
    NMTTDISPINFOW info{};
    info.hdr = {tips, reinterpret_cast<UINT_PTR>(w.List()), TTN_GETDISPINFOW};
    // The list's tool asks the list itself for its text.
    ::SendMessageW(w.List(), WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_EQ(std::wstring(info.lpszText), item.tip) << item.item;
  }
}

// The status strip lies below the list and is always shown: scrolled to its end, the list shows
// its last row whole above the strip. Sizes show at the right of the rows; "/" opens the filter
// over the strip, typing filters, Escape empties and hides it.
TEST(FileListWin32, TheStatusStripLiesBelowTheListWhichShowsItsLastRowAndTheSizes) {
  Loaded w;
  std::vector<std::u16string> many(40, u"name.ogg"), sizes(40, u"1.2 MB");
  w.window.SetListItems(many);
  w.window.SetListSizes(sizes);
  w.window.SetStatus(u"40 entries, 48 MB");
  const HWND status = ::GetDlgItem(w.window.hwnd(), shell::win32::kStatusId);
  ASSERT_TRUE(::IsWindowVisible(status));
  RECT list{}, strip{};
  ::GetWindowRect(w.List(), &list);
  ::GetWindowRect(status, &strip);
  EXPECT_EQ(strip.top, list.bottom);
  EXPECT_EQ(std::pair(strip.left, strip.right), std::pair(list.left, list.right));

  ::SendMessageW(w.List(), LB_SETTOPINDEX, 39, 0);
  RECT last{}, client{};
  ::SendMessageW(w.List(), LB_GETITEMRECT, 39, reinterpret_cast<LPARAM>(&last));
  ::GetClientRect(w.List(), &client);
  EXPECT_GE(last.top, client.top);
  EXPECT_LE(last.bottom, client.bottom);  // whole
  ::MapWindowPoints(w.List(), nullptr, reinterpret_cast<POINT*>(&last), 2);
  EXPECT_LE(last.bottom, strip.top);

  // The size, right-aligned: the row's last pixels, short of its end, are not all background.
  {
    RECT row{};
    ::SendMessageW(w.List(), LB_GETITEMRECT, 39, reinterpret_cast<LPARAM>(&row));
    const HDC screen = ::GetDC(nullptr);
    const HDC dc = ::CreateCompatibleDC(screen);
    const HBITMAP picture = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    ::ReleaseDC(nullptr, screen);
    const HGDIOBJ old = ::SelectObject(dc, picture);
    ::SendMessageW(w.List(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                   PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF background = ::GetPixel(dc, row.right - 1, (row.top + row.bottom) / 2);
    bool size = false;
    for (int x = row.right - 30; x < row.right - 2; ++x) {
      for (int y = row.top; y < row.bottom; ++y) size = size || ::GetPixel(dc, x, y) != background;
    }
    ::SelectObject(dc, old);
    ::DeleteObject(picture);
    ::DeleteDC(dc);
    EXPECT_TRUE(size);
  }

  ::SendMessageW(w.List(), WM_CHAR, L'/', 0);
  const HWND filter = w.window.Control(Role::kFilter);
  ASSERT_TRUE(::IsWindowVisible(filter));
  EXPECT_EQ(::GetFocus(), filter);
  ::SetWindowTextW(filter, L"ogg");
  EXPECT_EQ(w.commands.calls.back(), "OnFilter ogg");
  ::SendMessageW(w.window.hwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_FALSE(::IsWindowVisible(filter));
  EXPECT_EQ(w.commands.calls.back(), "OnFilter ");
  EXPECT_EQ(w.commands.Count("OnCancel"), 0);  // the filter took the Escape
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

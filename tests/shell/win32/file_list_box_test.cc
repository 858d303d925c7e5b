// FileListBox, in process, in both its kinds (one item selected at most, as in the difference
// dialog; several, as lstFiles): what it answers from its names, a typed letter, Enter and the
// double click only where asked for, rows drawn through the parent, and a long list.
#include "shell/win32/file_list_box.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/win32/dialog_driver.h"

namespace {

using shell::win32::FileListBox;
using Rows = std::vector<std::size_t>;

// A parent that hands its WM_DRAWITEM on, as the windows holding a FileListBox do.
LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DRAWITEM &&
      FileListBox::Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam))) {
    return TRUE;
  }
  return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

struct Fixture {
  explicit Fixture(FileListBox::Options options) {
    shell::win32::RegisterWindowClass(::GetModuleHandleW(nullptr), L"FileListBoxTest", &ParentProc);
    parent = ::CreateWindowExW(0, L"FileListBoxTest", L"", WS_POPUP, 0, 0, 300, 200, nullptr,
                               nullptr, ::GetModuleHandleW(nullptr), nullptr);
    font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    list = std::make_unique<FileListBox>(parent, 7, shell::Box{10, 10, 200, 120}, font,
                                         std::move(options));
  }
  ~Fixture() { ::DestroyWindow(parent); }
  HWND hwnd() const { return list->hwnd(); }
  void Type(wchar_t letter) const { ::SendMessageW(hwnd(), WM_CHAR, letter, 0); }

  HWND parent = nullptr;
  HFONT font = nullptr;
  std::unique_ptr<FileListBox> list;
};

TEST(FileListBoxWin32, BothKindsAnswerWithTheirNamesAndGoToTheNextNameTyped) {
  for (const bool several : {false, true}) {
    SCOPED_TRACE(several ? "several" : "one");
    FileListBox::Options options;
    options.several = several;
    Fixture f(std::move(options));
    f.list->SetItems({u"apple", u"Banana", u"avocado", u"b.ogg"});
    EXPECT_EQ(win32_testing::ListItems(f.hwnd()),
              (std::vector<std::wstring>{L"apple", L"Banana", L"avocado", L"b.ogg"}));
    EXPECT_EQ(::SendMessageW(f.hwnd(), LB_GETTEXTLEN, 4, 0), LB_ERR);
    EXPECT_EQ(::GetWindowLongW(f.hwnd(), GWL_STYLE) & LBS_EXTENDEDSEL,
              several ? LBS_EXTENDEDSEL : 0);
    EXPECT_TRUE(f.list->Selected().empty());
    const struct {
      wchar_t letter;
      Rows selected;
    } kSteps[] = {{L'b', {1}}, {L'B', {3}}, {L'b', {1}}, {L'a', {2}}, {L'z', {2}}, {L'A', {0}}};
    for (const auto& step : kSteps) {
      f.Type(step.letter);
      EXPECT_EQ(f.list->Selected(), step.selected) << static_cast<char>(step.letter);
      EXPECT_EQ(::SendMessageW(f.hwnd(), LB_GETCARETINDEX, 0, 0),
                static_cast<LRESULT>(step.selected[0]));
    }
    // A new list shows from the top with nothing selected.
    f.list->SetItems({u"x"});
    EXPECT_TRUE(f.list->Selected().empty());
    EXPECT_EQ(win32_testing::ListItems(f.hwnd()), (std::vector<std::wstring>{L"x"}));
  }
}

TEST(FileListBoxWin32, EnterAndADoubleClickOpenOnlyWhereAsked) {
  for (const bool opens : {false, true}) {
    SCOPED_TRACE(opens ? "opens" : "does not open");
    std::vector<std::size_t> opened;
    FileListBox::Options options;
    if (opens) options.open = [&](std::size_t item) { opened.push_back(item); };
    Fixture f(std::move(options));
    f.list->SetItems({u"a", u"b", u"c"});
    f.Type(L'b');
    MSG enter{f.hwnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    const LRESULT code =
        ::SendMessageW(f.hwnd(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter));
    EXPECT_EQ((code & DLGC_WANTMESSAGE) != 0, opens);
    ::SendMessageW(f.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    RECT row{};
    ::SendMessageW(f.hwnd(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
    ::SendMessageW(f.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(row.left + 5, row.top + 2));
    ::SendMessageW(f.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(row.left + 5, row.top + 2));
    EXPECT_EQ(opened, (opens ? Rows{1, 2} : Rows{}));
  }
}

TEST(FileListBoxWin32, RowsAreDrawnThroughTheParentAndALongListIsWhole) {
  Fixture f({});
  std::vector<std::u16string> names;
  for (int i = 0; i < 65535; ++i)
    names.push_back(u"sound\\entry_" + std::u16string(1, u'a' + i % 26));
  names.back() = u"last.ogg";
  f.list->SetItems(names);
  EXPECT_EQ(::SendMessageW(f.hwnd(), LB_GETCOUNT, 0, 0), 65535);
  EXPECT_EQ(::SendMessageW(f.hwnd(), LB_GETTOPINDEX, 0, 0), 0);
  EXPECT_EQ(::SendMessageW(f.hwnd(), LB_GETTEXTLEN, 65534, 0), 8);
  EXPECT_TRUE(win32_testing::RowShowsText(f.hwnd(), 0));
  // Rows as high as a line of the font.
  const HDC dc = ::GetDC(f.hwnd());
  const HGDIOBJ old = ::SelectObject(dc, f.font);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(f.hwnd(), dc);
  EXPECT_EQ(::SendMessageW(f.hwnd(), LB_GETITEMHEIGHT, 0, 0), metrics.tmHeight);
  // Another control's drawing is left to its owner.
  DRAWITEMSTRUCT other{};
  other.CtlType = ODT_LISTBOX;
  other.hwndItem = f.parent;
  EXPECT_FALSE(FileListBox::Draw(other));
}

}  // namespace

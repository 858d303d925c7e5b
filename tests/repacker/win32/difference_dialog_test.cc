// frmFilesMismatch on Win32: its texts, geometry and tab order, the lists as handed over, the
// three ways out, and that it blocks its owner while shown.
#include "repacker/win32/difference_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shell/catalogue_table.h"
#include "shell/translate.h"
#include "tests/support/win32/dialog_driver.h"

namespace {

using repacker::win32::DifferenceDialog;
using win32_testing::ChildRect;
using win32_testing::DialogDriver;
using win32_testing::ListItems;
using win32_testing::WindowText;
using Names = std::vector<std::u16string>;

int Pixels(int twips) {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return ::MulDiv(twips, dpi, 1440);
}

// The width of a control's text in the control's font.
int TextWidth(HWND control) {
  const std::wstring text = WindowText(control);
  const HDC dc = ::GetDC(control);
  const HGDIOBJ old =
      ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(control, dc);
  return size.cx;
}

int AverageCharWidth(HWND control) {
  const HDC dc = ::GetDC(control);
  const HGDIOBJ old =
      ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(control, dc);
  return metrics.tmAveCharWidth;
}

void Click(HWND dialog, int id) {
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

TEST(DifferenceDialogWin32, ShowsTheListsAsGivenAndContinueReturnsOne) {
  const HWND owner = ::CreateWindowW(L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                     nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  DifferenceDialog dialog(owner);
  bool owner_enabled = true;
  std::vector<std::wstring> added, deleted;
  RECT client{};
  // Each control of the description, as the dialog shows it.
  struct Seen {
    std::wstring text;
    RECT box;
    LONG style;
    int needs;  // the width of its text
  };
  std::vector<Seen> seen;
  int slack = 0;
  std::vector<int> tab_order;
  bool stays_after_enter = false;
  bool row_drawn = false;
  std::vector<LRESULT> typed;
  DialogDriver driver(L"Files List Diff", [&](HWND box) {
    owner_enabled = ::IsWindowEnabled(owner);
    added = ListItems(::GetDlgItem(box, repacker::win32::DiffControlId(repacker::kDiffAdded)));
    deleted = ListItems(::GetDlgItem(box, repacker::win32::DiffControlId(repacker::kDiffDeleted)));
    // The rows are drawn, and a typed letter selects the next name starting with it alone.
    const HWND added_list = ::GetDlgItem(box, repacker::win32::DiffControlId(repacker::kDiffAdded));
    row_drawn = win32_testing::RowShowsText(added_list, 0);
    for (const wchar_t letter : {L'b', L'A', L'n'}) {
      ::SendMessageW(added_list, WM_CHAR, letter, 0);
      typed.push_back(::SendMessageW(added_list, LB_GETCURSEL, 0, 0));
    }
    ::GetClientRect(box, &client);
    for (std::size_t i = 0; i < repacker::kDiffControls.size(); ++i) {
      const HWND control = ::GetDlgItem(box, repacker::win32::DiffControlId(i));
      seen.push_back({WindowText(control), ChildRect(control), ::GetWindowLongW(control, GWL_STYLE),
                      TextWidth(control)});
    }
    slack = AverageCharWidth(::GetDlgItem(box, repacker::win32::DiffControlId(0)));
    HWND at = ::GetFocus();
    for (int i = 0; i < 5; ++i) {
      tab_order.push_back(::GetDlgCtrlID(at));
      at = ::GetNextDlgTabItem(box, at, FALSE);
    }
    // Enter is no answer: neither button is the default button.
    ::SendMessageW(box, WM_COMMAND, IDOK, 0);
    stays_after_enter = ::IsWindowVisible(box);
    Click(box, repacker::win32::DiffControlId(repacker::kDiffContinue));
  });
  EXPECT_EQ(dialog.ShowDiff({u"new.ogg", u"B.ogg", u"a.ogg"}, {}), repacker::DiffAnswer::kContinue);
  ASSERT_TRUE(driver.acted());
  EXPECT_FALSE(owner_enabled);
  EXPECT_TRUE(::IsWindowEnabled(owner));
  EXPECT_TRUE(stays_after_enter);

  EXPECT_EQ(added, (std::vector<std::wstring>{L"new.ogg", L"B.ogg", L"a.ogg"}));
  EXPECT_TRUE(deleted.empty());
  EXPECT_TRUE(row_drawn);
  EXPECT_EQ(typed, (std::vector<LRESULT>{1, 2, 0}));
  ASSERT_EQ(seen.size(), repacker::kDiffControls.size());
  for (std::size_t i = 0; i < seen.size(); ++i) {
    const repacker::DiffControl& desc = repacker::kDiffControls[i];
    SCOPED_TRACE(std::string(desc.name));
    EXPECT_EQ(seen[i].text, std::wstring(desc.text.begin(), desc.text.end()));
    EXPECT_EQ(seen[i].box.left, Pixels(desc.twips.left));
    EXPECT_EQ(seen[i].box.top, Pixels(desc.twips.top));
    EXPECT_EQ(seen[i].box.bottom - seen[i].box.top, Pixels(desc.twips.height));
    const int width = seen[i].box.right - seen[i].box.left;
    if (desc.kind == shell::ControlKind::kLabel) {
      // As laid out, or wider where the system's font needs it for the one line.
      EXPECT_GE(width, std::max(Pixels(desc.twips.width), seen[i].needs));
    } else {
      EXPECT_EQ(width, Pixels(desc.twips.width));
    }
    if (desc.kind == shell::ControlKind::kButton) {
      EXPECT_EQ(seen[i].style & BS_TYPEMASK, BS_PUSHBUTTON);  // neither is the default
    }
  }
  EXPECT_GE(client.right, Pixels(7620));
  EXPECT_LE(client.right, std::max(Pixels(7620), Pixels(60) + seen[0].needs + slack + Pixels(15)));
  EXPECT_EQ(client.bottom, Pixels(4095));
  EXPECT_EQ(tab_order, (std::vector<int>{repacker::win32::DiffControlId(repacker::kDiffAdded),
                                         repacker::win32::DiffControlId(repacker::kDiffDeleted),
                                         repacker::win32::DiffControlId(repacker::kDiffContinue),
                                         repacker::win32::DiffControlId(repacker::kDiffCancel),
                                         repacker::win32::DiffControlId(repacker::kDiffAdded)}));
  ::DestroyWindow(owner);
}

// In every language shipped, from the catalogue generated from the translation files: each label
// shows its whole text within its width, and each button its whole caption, or one cut with an
// ellipsis and carrying the whole as tooltip, within its width.
TEST(DifferenceDialogWin32, EveryTextIsWholeInEveryLanguage) {
  for (const std::string& language : shell::CatalogueTags()) {
    SCOPED_TRACE(language);
    shell::InstallCatalogue(shell::TableCatalogue(language));
    const auto shown = [](std::u16string_view text) {
      const std::u16string_view translated = shell::Tr(text);
      return std::wstring(translated.begin(), translated.end());
    };
    DifferenceDialog dialog(nullptr);
    std::vector<std::wstring> texts;
    std::vector<int> needs, widths;
    DialogDriver driver(shown(repacker::kDiffTitle), [&](HWND box) {
      for (std::size_t i = 0; i < repacker::kDiffControls.size(); ++i) {
        const HWND control = ::GetDlgItem(box, repacker::win32::DiffControlId(i));
        const RECT rect = ChildRect(control);
        texts.push_back(WindowText(control));
        needs.push_back(TextWidth(control));
        widths.push_back(rect.right - rect.left);
      }
      Click(box, repacker::win32::DiffControlId(repacker::kDiffCancel));
    });
    EXPECT_EQ(dialog.ShowDiff({u"a.ogg"}, {}), repacker::DiffAnswer::kCancel);
    ASSERT_TRUE(driver.acted());
    for (std::size_t i = 0; i < repacker::kDiffControls.size(); ++i) {
      const repacker::DiffControl& desc = repacker::kDiffControls[i];
      if (desc.kind == shell::ControlKind::kList) continue;
      SCOPED_TRACE(std::string(desc.name));
      EXPECT_LE(needs[i], widths[i]);
      const std::wstring whole = shown(desc.text);
      if (texts[i] != whole) {
        ASSERT_EQ(desc.kind, shell::ControlKind::kButton);
        ASSERT_FALSE(texts[i].empty());
        EXPECT_EQ(texts[i].back(), L'\u2026');
        EXPECT_EQ(whole.substr(0, texts[i].size() - 1), texts[i].substr(0, texts[i].size() - 1));
      }
    }
  }
  shell::InstallCatalogue({});
}

TEST(DifferenceDialogWin32, CancelAndClosingReturnZeroAndEachUseStartsFresh) {
  {
    DifferenceDialog dialog(nullptr);
    std::vector<std::wstring> added, deleted;
    DialogDriver driver(L"Files List Diff", [&](HWND box) {
      added = ListItems(::GetDlgItem(box, repacker::win32::DiffControlId(repacker::kDiffAdded)));
      deleted =
          ListItems(::GetDlgItem(box, repacker::win32::DiffControlId(repacker::kDiffDeleted)));
      Click(box, repacker::win32::DiffControlId(repacker::kDiffCancel));
    });
    EXPECT_EQ(dialog.ShowDiff({}, {u"gone.ogg", u"Family.Bin"}), repacker::DiffAnswer::kCancel);
    EXPECT_TRUE(added.empty());
    EXPECT_EQ(deleted, (std::vector<std::wstring>{L"gone.ogg", L"Family.Bin"}));
  }
  {
    DifferenceDialog dialog(nullptr);
    std::vector<std::wstring> added;
    DialogDriver driver(L"Files List Diff", [&](HWND box) {
      added = ListItems(::GetDlgItem(box, repacker::win32::DiffControlId(repacker::kDiffAdded)));
      ::PostMessageW(box, WM_CLOSE, 0, 0);  // the title bar's close button
    });
    EXPECT_EQ(dialog.ShowDiff({u"x.ogg"}, {}), repacker::DiffAnswer::kCancel);
    EXPECT_EQ(added, (std::vector<std::wstring>{L"x.ogg"}));
  }
  {
    // Escape, pressed in the list that has the focus, cancels as on Qt.
    DifferenceDialog dialog(nullptr);
    DialogDriver driver(L"Files List Diff", [&](HWND box) {
      const HWND list = ::GetDlgItem(box, repacker::win32::DiffControlId(repacker::kDiffAdded));
      ::PostMessageW(list, WM_KEYDOWN, VK_ESCAPE, 1);
      ::PostMessageW(list, WM_KEYUP, VK_ESCAPE, 1 | (3u << 30));
    });
    EXPECT_EQ(dialog.ShowDiff({u"x.ogg"}, {u"y.ogg"}), repacker::DiffAnswer::kCancel);
    EXPECT_TRUE(driver.acted());
  }
}

}  // namespace

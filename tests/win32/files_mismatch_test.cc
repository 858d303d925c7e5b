// frmFilesMismatch on Win32: its texts, geometry and tab order, the lists as handed over, the
// three ways out, and that it blocks its owner while shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "repacker/win32/frm_files_mismatch.h"
#include "tests/win32/dialog_driver.h"

namespace {

using repacker::win32::FrmFilesMismatch;
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

TEST(FrmFilesMismatchWin32, ShowsTheListsAsGivenAndContinueReturnsOne) {
  const HWND owner = ::CreateWindowW(L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                     nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  FrmFilesMismatch dialog(owner);
  bool owner_enabled = true;
  std::vector<std::wstring> added, deleted;
  std::wstring label1, label2, label3, ok_text, cancel_text;
  RECT client{}, ok{}, cancel{}, list{}, label1_box{}, label3_box{};
  int label1_needs = 0, label3_needs = 0, slack = 0;
  LONG ok_style = 0, cancel_style = 0;
  std::vector<int> tab_order;
  bool stays_after_enter_and_esc = false;
  DialogDriver driver(L"Files List Diff", [&](HWND box) {
    owner_enabled = ::IsWindowEnabled(owner);
    added = ListItems(::GetDlgItem(box, repacker::win32::kLstAdded));
    deleted = ListItems(::GetDlgItem(box, repacker::win32::kLstDeleted));
    label1 = WindowText(::GetDlgItem(box, repacker::win32::kMismatchLabel1));
    label2 = WindowText(::GetDlgItem(box, repacker::win32::kMismatchLabel2));
    label3 = WindowText(::GetDlgItem(box, repacker::win32::kMismatchLabel3));
    ok_text = WindowText(::GetDlgItem(box, repacker::win32::kCmdOK));
    cancel_text = WindowText(::GetDlgItem(box, repacker::win32::kCommand1));
    ::GetClientRect(box, &client);
    label1_box = ChildRect(::GetDlgItem(box, repacker::win32::kMismatchLabel1));
    label3_box = ChildRect(::GetDlgItem(box, repacker::win32::kMismatchLabel3));
    label1_needs = TextWidth(::GetDlgItem(box, repacker::win32::kMismatchLabel1));
    label3_needs = TextWidth(::GetDlgItem(box, repacker::win32::kMismatchLabel3));
    slack = AverageCharWidth(::GetDlgItem(box, repacker::win32::kMismatchLabel1));
    ok = ChildRect(::GetDlgItem(box, repacker::win32::kCmdOK));
    cancel = ChildRect(::GetDlgItem(box, repacker::win32::kCommand1));
    list = ChildRect(::GetDlgItem(box, repacker::win32::kLstDeleted));
    ok_style = ::GetWindowLongW(::GetDlgItem(box, repacker::win32::kCmdOK), GWL_STYLE);
    cancel_style = ::GetWindowLongW(::GetDlgItem(box, repacker::win32::kCommand1), GWL_STYLE);
    HWND at = ::GetFocus();
    for (int i = 0; i < 5; ++i) {
      tab_order.push_back(::GetDlgCtrlID(at));
      at = ::GetNextDlgTabItem(box, at, FALSE);
    }
    // Enter and Esc are no answers: neither button is the default or the cancel button.
    ::SendMessageW(box, WM_COMMAND, IDOK, 0);
    ::SendMessageW(box, WM_COMMAND, IDCANCEL, 0);
    stays_after_enter_and_esc = ::IsWindowVisible(box);
    Click(box, repacker::win32::kCmdOK);
  });
  EXPECT_EQ(dialog.ShowDiff({u"new.ogg", u"B.ogg", u"a.ogg"}, {}), repacker::DiffAnswer::kContinue);
  ASSERT_TRUE(driver.acted());
  EXPECT_FALSE(owner_enabled);
  EXPECT_TRUE(::IsWindowEnabled(owner));
  EXPECT_TRUE(stays_after_enter_and_esc);

  EXPECT_EQ(added, (std::vector<std::wstring>{L"new.ogg", L"B.ogg", L"a.ogg"}));
  EXPECT_TRUE(deleted.empty());
  EXPECT_EQ(label1,
            L"There is a difference between the names of the files that were extracted to the "
            L"files that you wat to repack. ");
  EXPECT_EQ(label2, L"The list of files that were added:");
  EXPECT_EQ(label3, L"The list of files that were deleted:");
  EXPECT_EQ(ok_text, L"Continue with Packing");
  EXPECT_EQ(cancel_text, L"Cancel the Packing");

  // As wide as laid out, or wider where the system's font needs it for the first line.
  EXPECT_GE(client.right, Pixels(7620));
  EXPECT_LE(client.right, std::max(Pixels(7620), Pixels(60) + label1_needs + slack + Pixels(15)));
  EXPECT_GE(label1_box.right - label1_box.left, label1_needs);
  EXPECT_GE(label3_box.right - label3_box.left, label3_needs);
  EXPECT_EQ(client.bottom, Pixels(4095));
  EXPECT_EQ(ok.left, Pixels(1969));
  EXPECT_EQ(ok.top, Pixels(3630));
  EXPECT_EQ(ok.right - ok.left, Pixels(1815));
  EXPECT_EQ(cancel.left, Pixels(3836));
  EXPECT_EQ(list.top, Pixels(2280));
  EXPECT_EQ(list.bottom - list.top, Pixels(1230));
  EXPECT_EQ(ok_style & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_EQ(cancel_style & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_EQ(tab_order, (std::vector<int>{repacker::win32::kLstAdded, repacker::win32::kLstDeleted,
                                         repacker::win32::kCmdOK, repacker::win32::kCommand1,
                                         repacker::win32::kLstAdded}));
  ::DestroyWindow(owner);
}

TEST(FrmFilesMismatchWin32, CancelAndClosingReturnZeroAndEachUseStartsFresh) {
  {
    FrmFilesMismatch dialog(nullptr);
    std::vector<std::wstring> added, deleted;
    DialogDriver driver(L"Files List Diff", [&](HWND box) {
      added = ListItems(::GetDlgItem(box, repacker::win32::kLstAdded));
      deleted = ListItems(::GetDlgItem(box, repacker::win32::kLstDeleted));
      Click(box, repacker::win32::kCommand1);
    });
    EXPECT_EQ(dialog.ShowDiff({}, {u"gone.ogg", u"Family.Bin"}), repacker::DiffAnswer::kCancel);
    EXPECT_TRUE(added.empty());
    EXPECT_EQ(deleted, (std::vector<std::wstring>{L"gone.ogg", L"Family.Bin"}));
  }
  {
    FrmFilesMismatch dialog(nullptr);
    std::vector<std::wstring> added;
    DialogDriver driver(L"Files List Diff", [&](HWND box) {
      added = ListItems(::GetDlgItem(box, repacker::win32::kLstAdded));
      ::PostMessageW(box, WM_CLOSE, 0, 0);  // the title bar's close button
    });
    EXPECT_EQ(dialog.ShowDiff({u"x.ogg"}, {}), repacker::DiffAnswer::kCancel);
    EXPECT_EQ(added, (std::vector<std::wstring>{L"x.ogg"}));
  }
}

}  // namespace

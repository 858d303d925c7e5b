#include "repacker/win32/frm_files_mismatch.h"

#include <algorithm>
#include <array>
#include <cwchar>
#include <string_view>

#include "shell/drag.h"
#include "shell/win32/win32_text.h"

namespace repacker::win32 {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// An empty dialog template: the controls are placed in pixels once the dialog exists.
struct EmptyTemplate {
  DLGTEMPLATE header;
  WORD menu;
  WORD window_class;
  wchar_t title[kDiffTitle.size() + 1];
};

int Pixels(int twips, int dpi) { return shell::TwipsToPixels(static_cast<float>(twips), dpi); }

// The width a label needs for its text on one line, with room for one more character: a static
// control does not always draw its text exactly as wide as the text measures.
int TextWidth(HWND control, HFONT font, const wchar_t* text) {
  const HDC dc = ::GetDC(control);
  const HGDIOBJ old = ::SelectObject(dc, font);
  SIZE size{};
  ::GetTextExtentPoint32W(dc, text, static_cast<int>(std::wcslen(text)), &size);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(control, dc);
  return size.cx + metrics.tmAveCharWidth;
}

}  // namespace

DiffAnswer FrmFilesMismatch::ShowDiff(const std::vector<std::u16string>& added,
                                      const std::vector<std::u16string>& deleted) {
  // The dialog template must be DWORD aligned.
  alignas(4) EmptyTemplate dialog{};
  dialog.header.style = kDialogStyle;
  dialog.header.cdit = 0;
  std::copy(kDiffTitle.begin(), kDiffTitle.end(), dialog.title);

  added_ = &added;
  deleted_ = &deleted;
  result_ = DiffAnswer::kCancel;
  const INT_PTR shown =
      ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), &dialog.header,
                                owner_ != nullptr && ::IsWindow(owner_) ? owner_ : nullptr,
                                &FrmFilesMismatch::DialogProc, reinterpret_cast<LPARAM>(this));
  added_ = nullptr;
  deleted_ = nullptr;
  if (shown == -1) result_ = DiffAnswer::kCancel;  // the dialog could not be shown: no packing
  return result_;
}

INT_PTR CALLBACK FrmFilesMismatch::DialogProc(HWND hwnd, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<FrmFilesMismatch*>(lparam);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
  }
  auto* self = reinterpret_cast<FrmFilesMismatch*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  return self->HandleMessage(message, wparam, lparam);
}

void FrmFilesMismatch::Layout() {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);

  font_ = ::CreateFontW(-::MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  // The layout was made for MS Sans Serif. Where the system draws the texts wider, a label grows
  // to keep its text on its one line, and the dialog with it, instead of cutting the text off.
  int client_width = Pixels(kDiffWidth, dpi);
  const shell::Box& widest = kDiffControls[0].twips;
  const int right_margin = Pixels(kDiffWidth - (widest.left + widest.width), dpi);
  // Created in tab order, which is also the order Tab walks them.
  int id = kMismatchLabel1;
  for (const DiffControl& def : kDiffControls) {
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD ex_style = 0;
    const wchar_t* type = L"STATIC";
    if (def.kind == shell::ControlKind::kList) {
      type = L"LISTBOX";
      style |= WS_TABSTOP | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
      ex_style = WS_EX_CLIENTEDGE;
    } else if (def.kind == shell::ControlKind::kButton) {
      type = L"BUTTON";
      style |= WS_TABSTOP | BS_PUSHBUTTON;  // neither is the default button
    } else {
      style |= SS_LEFTNOWORDWRAP | SS_NOPREFIX;
    }
    const std::wstring text = shell::win32::Wide(def.text);
    const shell::Box& box = def.twips;
    const HWND control = ::CreateWindowExW(
        ex_style, type, text.c_str(), style, Pixels(box.left, dpi), Pixels(box.top, dpi),
        Pixels(box.width, dpi), Pixels(box.height, dpi), hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (def.kind == shell::ControlKind::kLabel) {
      const int width = TextWidth(control, font_, text.c_str());
      if (width > Pixels(box.width, dpi)) {
        ::SetWindowPos(control, nullptr, 0, 0, width, Pixels(box.height, dpi),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        client_width = std::max(client_width, Pixels(box.left, dpi) + width + right_margin);
      }
    }
  }

  RECT frame{0, 0, client_width, Pixels(kDiffHeight, dpi)};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongW(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongW(hwnd_, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  ::SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR FrmFilesMismatch::HandleMessage(UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  switch (message) {
    case WM_INITDIALOG: {
      Layout();
      shell::win32::FillListBox(::GetDlgItem(hwnd_, kLstAdded), *added_);
      shell::win32::FillListBox(::GetDlgItem(hwnd_, kLstDeleted), *deleted_);
      ::SetFocus(::GetDlgItem(hwnd_, kLstAdded));
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      // IDOK (Enter outside a button) and IDCANCEL (Esc) are not answers: neither button is the
      // dialog's default or cancel button.
      if (HIWORD(wparam) == BN_CLICKED && LOWORD(wparam) == kCmdOK) {
        result_ = DiffAnswer::kContinue;
        ::EndDialog(hwnd_, 1);
      } else if (HIWORD(wparam) == BN_CLICKED && LOWORD(wparam) == kCommand1) {
        result_ = DiffAnswer::kCancel;
        ::EndDialog(hwnd_, 0);
      }
      return TRUE;
    case WM_CLOSE:
      ::EndDialog(hwnd_, 0);
      return TRUE;
    case WM_DESTROY:
      ::DeleteObject(font_);
      font_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace repacker::win32

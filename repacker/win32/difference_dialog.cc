#include "repacker/win32/difference_dialog.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "shell/text_fit.h"
#include "shell/translate.h"
#include "shell/win32/win32_text.h"

namespace repacker::win32 {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// An empty dialog template: the controls are placed in pixels, and the title set in the user's
// language, once the dialog exists.
struct EmptyTemplate {
  DLGTEMPLATE header;
  WORD menu;
  WORD window_class;
  wchar_t title[1];
};

}  // namespace

void DifferenceDialog::RunModal(const std::vector<std::u16string>& added,
                                const std::vector<std::u16string>& deleted) {
  // The dialog template must be DWORD aligned.
  alignas(4) EmptyTemplate dialog{};
  dialog.header.style = kDialogStyle;

  added_ = &added;
  deleted_ = &deleted;
  // A dialog that cannot be shown answers nothing: no packing.
  ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), &dialog.header,
                            owner_ != nullptr && ::IsWindow(owner_) ? owner_ : nullptr,
                            &DifferenceDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  added_ = nullptr;
  deleted_ = nullptr;
  for (auto& list : lists_) list.reset();
}

INT_PTR CALLBACK DifferenceDialog::DialogProc(HWND hwnd, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<DifferenceDialog*>(lparam);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
  }
  auto* self = reinterpret_cast<DifferenceDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  return self->HandleMessage(message, wparam, lparam);
}

void DifferenceDialog::Layout() {
  // Created in tab order, which is also the order Tab walks them; placed once their texts have
  // been measured in the font the system draws them with.
  for (std::size_t i = 0; i < kDiffControls.size(); ++i) {
    const DiffControl& control = kDiffControls[i];
    if (control.kind == shell::ControlKind::kList) {
      lists_[i] = std::make_unique<shell::win32::FileListBox>(
          hwnd_, DiffControlId(i), shell::Box{}, nullptr, shell::win32::FileListBox::Options{});
      continue;
    }
    shell::win32::CreateChild(hwnd_, DiffControlId(i), control.kind,
                              shell::win32::Wide(shell::Tr(control.text)).c_str(), {}, nullptr,
                              control.kind == shell::ControlKind::kLabel ? SS_LEFTNOWORDWRAP : 0);
  }
  Place(shell::win32::WindowDpi(hwnd_));
}

void DifferenceDialog::Place(int dpi, const RECT* suggested) {
  // The font of the old DPI goes once the controls have the new one.
  const HFONT old_font = font_;
  font_ = ::CreateFontW(-::MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, shell::win32::ControlFace().c_str());
  std::array<HWND, kDiffControls.size()> controls{};
  for (std::size_t i = 0; i < kDiffControls.size(); ++i) {
    controls[i] = ::GetDlgItem(hwnd_, DiffControlId(i));
    if (lists_[i]) {
      lists_[i]->SetFont(font_);
    } else {
      ::SendMessageW(controls[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
  }
  if (old_font != nullptr) ::DeleteObject(old_font);
  // A caption fitted at the old DPI is fitted again from its whole text at this one.
  if (smaller_font_ != nullptr) ::DeleteObject(smaller_font_);
  smaller_font_ = nullptr;
  for (std::size_t i = 0; i < kDiffControls.size(); ++i) {
    if (kDiffControls[i].kind != shell::ControlKind::kButton) continue;
    ::SetWindowTextW(controls[i], shell::win32::Wide(shell::Tr(kDiffControls[i].text)).c_str());
    if (tips_ != nullptr) {
      wchar_t none[] = L"";
      shell::win32::SetTip(tips_, hwnd_, controls[i], none);
    }
  }
  // A label needs its text's width on one line, and room for one more character: a static
  // control does not always draw its text exactly as wide as the text measures.
  const DiffLayout layout = LayOutDiff(dpi, [&](std::size_t i) {
    const shell::win32::TextSize size = shell::win32::MeasureText(
        controls[i], shell::win32::Wide(shell::Tr(kDiffControls[i].text)), font_);
    return size.width + size.average_char_width;
  });
  for (std::size_t i = 0; i < kDiffControls.size(); ++i) {
    const shell::Box& box = layout.boxes[i];
    ::SetWindowPos(controls[i], nullptr, box.left, box.top, box.width, box.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (kDiffControls[i].kind == shell::ControlKind::kButton) {
      FitCaption(controls[i], shell::Tr(kDiffControls[i].text), dpi);
    }
  }

  RECT frame{0, 0, layout.width, layout.height};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongW(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongW(hwnd_, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  if (suggested != nullptr) {
    ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - width) / 2,
                   work.top + (work.bottom - work.top - height) / 2, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void DifferenceDialog::FitCaption(HWND button, std::u16string_view text, int dpi) {
  constexpr std::int32_t kPoints = 8;
  const auto font_at = [&](std::int32_t points) {
    if (points == kPoints) return font_;
    if (smaller_font_ == nullptr) {
      smaller_font_ =
          ::CreateFontW(-::MulDiv(points, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, shell::win32::ControlFace().c_str());
    }
    return smaller_font_;
  };
  RECT box{};
  ::GetClientRect(button, &box);
  // The button's frame and a character's room on either side.
  const std::int32_t room =
      box.right - 2 * (::GetSystemMetrics(SM_CXEDGE) +
                       shell::win32::MeasureText(button, L"", font_).average_char_width);
  const shell::FittedText fitted =
      shell::FitText(text, room, kPoints, [&](std::u16string_view part, std::int32_t points) {
        return static_cast<std::int32_t>(
            shell::win32::MeasureText(button, shell::win32::Wide(part), font_at(points)).width);
      });
  if (fitted.points == kPoints) return;
  ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_at(fitted.points)), FALSE);
  ::SetWindowTextW(button, shell::win32::Wide(fitted.shown).c_str());
  if (fitted.tooltip.empty()) return;
  if (tips_ == nullptr) {
    tips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                              nullptr, nullptr, nullptr);
  }
  std::wstring tip = shell::win32::Wide(fitted.tooltip);
  shell::win32::SetTip(tips_, hwnd_, button, tip.data());
}

INT_PTR DifferenceDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      ::SetWindowTextW(hwnd_, shell::win32::Wide(shell::Tr(kDiffTitle)).c_str());
      Layout();
      // Each list holds its names and draws only the rows in sight: a long list costs no more.
      lists_[kDiffAdded]->SetItems(*added_);
      lists_[kDiffDeleted]->SetItems(*deleted_);
      ::SetFocus(lists_[kDiffAdded]->hwnd());
      return FALSE;  // the focus is set
    }
    case WM_DRAWITEM:
      return shell::win32::FileListBox::Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
    case WM_COMMAND:
      // Escape (IDCANCEL) cancels, as closing does; IDOK (Enter outside a button) is no answer:
      // neither button is the dialog's default.
      if (LOWORD(wparam) == IDCANCEL) {
        ::EndDialog(hwnd_, 0);
        return TRUE;
      }
      if (HIWORD(wparam) == BN_CLICKED &&
          Click(static_cast<std::size_t>(LOWORD(wparam) - DiffControlId(0)))) {
        ::EndDialog(hwnd_, answer() == DiffAnswer::kContinue ? 1 : 0);
      }
      return TRUE;
    case WM_DPICHANGED:
      // Moved to a screen of another density.
      Place(HIWORD(wparam), reinterpret_cast<const RECT*>(lparam));
      return TRUE;
    case WM_CLOSE:
      ::EndDialog(hwnd_, 0);
      return TRUE;
    case WM_DESTROY:
      ::DeleteObject(font_);
      font_ = nullptr;
      if (smaller_font_ != nullptr) ::DeleteObject(smaller_font_);
      smaller_font_ = nullptr;
      if (tips_ != nullptr) ::DestroyWindow(tips_);
      tips_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

repacker::DifferenceDialogFactory Win32DifferenceDialogFactory(HWND owner) {
  return [owner] { return std::make_unique<DifferenceDialog>(owner); };
}

}  // namespace repacker::win32

// frmFilesMismatch on Win32: the dialog that shows, before a repack, the files added to the
// folder and the recorded names without a file, and asks whether to go on.
//
// Built from repacker::kDiffControls, its twips scaled with the system's DPI. Enter and Esc answer
// nothing; closing the window cancels.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "repacker/difference_dialog.h"
#include "shell/win32/file_list_box.h"
#include "shell/win32/windows_api.h"

namespace repacker::win32 {

// The child-window id of kDiffControls[index].
constexpr int DiffControlId(std::size_t index) { return 201 + static_cast<int>(index); }

class DifferenceDialog : public repacker::ModalDiffDialog {
 public:
  // `owner` is the window that stays disabled while the dialog is shown; it may be null.
  explicit DifferenceDialog(HWND owner) : owner_(owner) {}

 private:
  void RunModal(const std::vector<std::u16string>& added,
                const std::vector<std::u16string>& deleted) override;
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Creates the controls, then places them at the DPI of the dialog's screen.
  void Layout();
  // Sizes the font, the controls and the dialog for `dpi`. The dialog goes to the top-left corner
  // of `suggested` (screen pixels) when given, else to the middle of the work area.
  void Place(int dpi, const RECT* suggested = nullptr);
  // A button's caption fitted to it (shell::FitText): a point smaller, else cut with its whole
  // text as tooltip.
  void FitCaption(HWND button, std::u16string_view text, int dpi);

  HWND owner_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  HFONT smaller_font_ = nullptr;  // a point below font_, made when a caption needs it
  HWND tips_ = nullptr;
  const std::vector<std::u16string>* added_ = nullptr;
  const std::vector<std::u16string>* deleted_ = nullptr;
  // The two lists, at their controls' indexes; only while the dialog is shown.
  std::array<std::unique_ptr<shell::win32::FileListBox>, kDiffControls.size()> lists_;
};

// The factory the repack logic takes: a new dialog owned by `owner` for each repack.
repacker::DifferenceDialogFactory Win32DifferenceDialogFactory(HWND owner);

}  // namespace repacker::win32

// frmFilesMismatch on Win32: the dialog that shows, before a repack, the files added to the
// folder and the recorded names without a file, and asks whether to go on.
//
// An ordinary dialog with a title bar and a fixed frame, laid out in twips like the rest of the
// program's forms (15 twips per pixel at 96 DPI, scaled with the system's DPI). Neither button is
// the default or the cancel button, so Enter and Esc answer nothing; "Continue with Packing"
// returns 1, "Cancel the Packing" and closing the window return 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "repacker/files_mismatch_dialog.h"
#include "shell/win32/windows_api.h"

namespace repacker::win32 {

// Child-window ids of the dialog's controls, in tab order.
enum FilesMismatchControl : int {
  kMismatchLabel1 = 201,
  kMismatchLabel2,
  kLstAdded,
  kMismatchLabel3,
  kLstDeleted,
  kCmdOK,
  kCommand1,
};

inline constexpr wchar_t kFilesMismatchTitle[] = L"Files List Diff";

class FrmFilesMismatch : public repacker::FilesMismatchDialog {
 public:
  // `owner` is the window that stays disabled while the dialog is shown; it may be null.
  explicit FrmFilesMismatch(HWND owner) : owner_(owner) {}

  std::int32_t ShowDiff(const std::vector<std::u16string>& added,
                        const std::vector<std::u16string>& deleted) override;

  std::int32_t result() const { return result_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void Layout();

  HWND owner_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  const std::vector<std::u16string>* added_ = nullptr;
  const std::vector<std::u16string>* deleted_ = nullptr;
  std::int32_t result_ = 0;
};

}  // namespace repacker::win32

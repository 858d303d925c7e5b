// Modal services that the program logic calls: the standard file dialog and the
// message box. Each front end implements them with its toolkit; tests put fakes
// in their place. The folder browser is CBrowseForFolder (browse_for_folder.h),
// whose platform half is a FolderDialogBackend.
#pragma once

#include <cstdint>
#include <string>

namespace shell {

// Option bits of the standard Windows file dialogs, used by both front ends.
inline constexpr std::uint32_t OFN_OVERWRITEPROMPT = 0x2;
inline constexpr std::uint32_t OFN_HIDEREADONLY = 0x4;
inline constexpr std::uint32_t OFN_PATHMUSTEXIST = 0x800;
inline constexpr std::uint32_t OFN_FILEMUSTEXIST = 0x1000;

struct FileDialogRequest {
  enum class Kind { kOpen, kSave };
  Kind kind = Kind::kOpen;
  std::uint32_t flags = 0;
  // "description|pattern" pairs, as the common dialog control takes them.
  std::u16string filter;
};

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // Shows the dialog with an empty name box. Returns the chosen full path, or
  // an empty string when the user cancelled.
  virtual std::u16string Show(const FileDialogRequest& request) = 0;
};

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // A modal box with an OK button and no icon.
  virtual void Show(const std::u16string& text, const std::u16string& title) = 0;
};

}  // namespace shell

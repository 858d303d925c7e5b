// CBrowseForFolder: lets the user pick a file-system folder through the platform's folder chooser.
//
// The class takes a start folder, an owner window, a title and dialog flags, shows the chooser
// modally and hands back the chosen folder's full path. It knows nothing of archives. The
// platform half (the dialog itself, the window-handle test and the program's name) is a
// FolderDialogBackend; each front end supplies one, tests supply fakes.
//
// Failures are raised as BrowseError, each with a number, a source ("<program>.CBrowseForFolder")
// and a description. A cancelled dialog is no failure: Browse returns false.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace shell {

// The bits of Flags. The Windows front end hands each to the shell dialog as its own flag.
enum class FolderDialogFlag : std::int32_t {
  kReturnOnlyFileSystemFolders = 0x1,  // only folders of the file system can be confirmed
  kStatusText = 0x4,                   // a status line under the title shows the selection
  kNewDialogStyle = 0x40,              // the resizable dialog with a "Make New Folder" button
};
constexpr std::int32_t operator|(FolderDialogFlag a, FolderDialogFlag b) {
  return static_cast<std::int32_t>(a) | static_cast<std::int32_t>(b);
}
constexpr std::int32_t operator|(std::int32_t a, FolderDialogFlag b) {
  return a | static_cast<std::int32_t>(b);
}
inline constexpr std::int32_t kErrNoPath = static_cast<std::int32_t>(0x800442A5);  // -2147204443
inline constexpr std::int32_t kErrInvalidOwner = static_cast<std::int32_t>(0x800442A6);
inline constexpr std::int32_t kErrComponent = static_cast<std::int32_t>(0x800442A7);

// A numbered error raised by the folder browser.
class BrowseError : public std::exception {
 public:
  BrowseError(std::int32_t number, std::string source, std::u16string description);

  std::int32_t number() const { return number_; }
  const std::string& source() const { return source_; }
  const std::u16string& description() const { return description_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  std::int32_t number_;
  std::string source_;
  std::u16string description_;
  std::string what_;  // the description as UTF-8
};

struct BrowseRequest {
  std::intptr_t owner = 0;
  std::u16string title;
  std::int32_t flags = 0;
  std::u16string initial_path;  // empty: no preselection
};

struct BrowseResult {
  enum class Outcome { kCancelled, kChosen, kNoPath };
  Outcome outcome = Outcome::kCancelled;
  std::u16string path;  // the chosen folder; read only for kChosen
};

class FolderDialogBackend {
 public:
  virtual ~FolderDialogBackend() = default;
  virtual bool IsWindow(std::intptr_t hwnd) = 0;
  // Shows the chooser modally. kNoPath: the user confirmed an item that has no file-system path.
  virtual BrowseResult Show(const BrowseRequest& request) = 0;
  // The running program's executable name without its extension.
  virtual std::string ProgramName() const = 0;
};

// The program's name as ProgramName gives it, from the executable's path: the file name without
// its last extension, in UTF-8. A name that only starts with a dot keeps it.
std::string ProgramNameOf(std::u16string_view executable);

class CBrowseForFolder {
 public:
  // Flags start at 69 (file-system folders only, status text, new style), the owner at
  // 0 (none), the strings empty.
  explicit CBrowseForFolder(FolderDialogBackend& backend);

  // Sets the initial path and the title, then checks the owner as SetHWndOwner does, then sets
  // the owner and the flags. A rejected owner leaves the new path and title in place and the old
  // owner and flags.
  void Init(std::u16string initial_path, std::intptr_t hwnd_owner, std::u16string dialog_title,
            std::int32_t flags);

  // Shows the chooser and waits for it to close. True when a folder was chosen: SelectedPath
  // then holds it. False when the user cancelled: SelectedPath keeps its value. Raises
  // kErrNoPath when the chosen item has no path; SelectedPath then keeps its value too.
  bool Browse();

  std::int32_t Flags() const { return flags_; }
  void SetFlags(std::int32_t flags) { flags_ = flags; }
  const std::u16string& DialogTitle() const { return dialog_title_; }
  void SetDialogTitle(std::u16string title);
  const std::u16string& InitialPath() const { return initial_path_; }
  void SetInitialPath(std::u16string path);
  const std::u16string& SelectedPath() const { return selected_path_; }
  std::intptr_t HWndOwner() const { return owner_; }
  // A value above 0 must name a window, or kErrInvalidOwner is raised and nothing changes; 0
  // and negative values are stored unchecked.
  void SetHWndOwner(std::intptr_t hwnd);

 private:
  [[noreturn]] void Raise(std::int32_t number, std::u16string description) const;
  // Runs one member body. BrowseError passes as it is; anything else becomes kErrComponent.
  template <typename Body>
  auto Guarded(Body&& body) -> decltype(body());
  void CheckOwner(std::intptr_t hwnd);

  FolderDialogBackend& backend_;
  std::int32_t flags_ = FolderDialogFlag::kReturnOnlyFileSystemFolders |
                        FolderDialogFlag::kStatusText | FolderDialogFlag::kNewDialogStyle;
  std::intptr_t owner_ = 0;
  std::u16string initial_path_;
  std::u16string selected_path_;
  std::u16string dialog_title_;
};

}  // namespace shell

// The folder browser: lets the user pick a file-system folder through the platform's folder
// chooser.
//
// BrowseForFolder takes a start folder, an owner window, a title and dialog flags, shows the
// chooser modally and answers with what happened: a folder chosen (with its full path), the
// chooser cancelled, or a failure. It knows nothing of archives. The platform half (the dialog
// itself, the window-handle test and the program's name) is a FolderDialogBackend; each front end
// supplies one, tests supply fakes.
//
// A failure is an answer like the others, not an exception: it carries the number and the
// description that the user is shown, and the source ("<program>.CBrowseForFolder") it comes
// from.
#pragma once

#include <cstdint>
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
// Their descriptions, in the same order.
inline constexpr char16_t kNoPathText[] = u"Could not get the path of the selected folder";
inline constexpr char16_t kInvalidOwnerText[] = u"Invalid window handle";
inline constexpr char16_t kComponentText[] = u"CBrowseForFolder component failure";

struct BrowseRequest {
  std::intptr_t owner = 0;
  std::u16string title;
  std::int32_t flags = 0;
  std::u16string initial_path;  // empty: no preselection
};

struct BrowseResult {
  // kNoPath: the user confirmed an item that has no file-system path. kFailed: the chooser could
  // not be shown at all.
  enum class Outcome { kCancelled, kChosen, kNoPath, kFailed };
  Outcome outcome = Outcome::kCancelled;
  std::u16string path;  // the chosen folder; read only for kChosen
};

class FolderDialogBackend {
 public:
  virtual ~FolderDialogBackend() = default;
  virtual bool IsWindow(std::intptr_t hwnd) = 0;
  // Shows the chooser modally.
  virtual BrowseResult Show(const BrowseRequest& request) = 0;
  // The running program's executable name without its extension.
  virtual std::string ProgramName() const = 0;
};

// The program's name as ProgramName gives it, from the executable's path: the file name without
// its last extension, in UTF-8. A name that only starts with a dot keeps it.
std::string ProgramNameOf(std::u16string_view executable);

struct FolderChoice {
  enum class Outcome { kChosen, kCancelled, kFailed };
  Outcome outcome = Outcome::kCancelled;
  std::u16string path;  // kChosen: the folder chosen

  // kFailed: what the user is told (ErrorText of the two), and where it comes from.
  std::int32_t error_number = 0;
  std::u16string error_description;
  std::string error_source;
};

// Shows the chooser for `request` and waits for it to close. An owner above 0 must name a window
// (kErrInvalidOwner otherwise, and nothing is shown); 0 and negative owners are taken unchecked.
// A chosen item without a path fails with kErrNoPath, a chooser that cannot be shown with
// kErrComponent.
FolderChoice BrowseForFolder(FolderDialogBackend& backend, const BrowseRequest& request);

}  // namespace shell

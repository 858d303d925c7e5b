// Services that the program logic calls: the standard file dialog, the message box, a question
// with three answers and the system's way of opening a file with its program. Each front end
// implements them with its toolkit; tests put fakes in their place. The folder browser is
// BrowseForFolder (folder_browser.h), whose platform half is a FolderDialogBackend.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace shell {

// What a file dialog demands of the name the user gives it.
struct FileDialogOptions {
  bool overwrite_prompt = false;  // save: asks before an existing file is chosen
  bool hide_read_only = false;    // no "open as read-only" box
  bool path_must_exist = false;   // refuses a name in a folder that does not exist
  bool file_must_exist = false;   // open: only existing files
  friend bool operator==(const FileDialogOptions&, const FileDialogOptions&) = default;
};

// The one filter both programs' file dialogs show, and the extension a save dialog adds to a
// name typed without one.
inline constexpr char16_t kPakFilter[] = u"PAK archives (*.pak)|*.pak";
inline constexpr char16_t kPakExtension[] = u"pak";
// The save dialog's refusal of a name in a folder that does not exist; %1 is the folder.
inline constexpr char16_t kNoSuchPathText[] =
    u"%1\nPath does not exist.\nCheck the path and try again.";

struct FileDialogRequest {
  enum class Kind { kOpen, kSave };
  Kind kind = Kind::kOpen;
  FileDialogOptions options;
  // "description|pattern" pairs, as the common dialog control takes them.
  std::u16string filter;
  // Added, after a dot, to a name the user types without an extension; empty: nothing is added.
  std::u16string default_extension;
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

// A modal question with three buttons: two answers and Cancel, each captioned by the caller.
// Closing the box without a button (Escape, the close box) is Cancel. The second answer is the
// default (Enter): the caller makes it the one that loses nothing. A question without a second
// answer (`second` empty) has two buttons, the first answer and Cancel, and Cancel is the default.
class ChoiceBox {
 public:
  enum class Answer { kFirst, kSecond, kCancel };
  struct Question {
    std::u16string text;
    std::u16string title;
    std::u16string first;
    std::u16string second;  // the default; empty: none, and Cancel is the default
    std::u16string cancel;
  };
  virtual ~ChoiceBox() = default;
  virtual Answer Ask(const Question& question) = 0;
};

// Opens a file with the program the system keeps for its kind (a player for a sound, a viewer
// for a picture), as a double click in the file manager would, and returns at once.
class Launcher {
 public:
  virtual ~Launcher() = default;
  // False when the system could not hand the file to a program (none is set for its kind).
  virtual bool Open(const std::filesystem::path& file) = 0;
};

}  // namespace shell

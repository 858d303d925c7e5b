// The modal services of the Windows front end: the standard open and save dialogs, the message
// box, and the platform half of the folder browser on the shell's browse-for-folder dialog.
//
// The file dialogs use the wide entry points, so a chosen path keeps every character whatever the
// system's ANSI code page. The folder browser talks to the shell through its ANSI entry points;
// the chosen folder's path is read back through the wide call as well, so that a folder whose
// name the code page cannot spell is still the folder the user chose.
#pragma once

#include <cstdint>
#include <string>

#include "shell/folder_browser.h"
#include "shell/services.h"
#include "shell/win32/windows_api.h"

namespace shell::win32 {

// "description|pattern|..." as the common dialog control takes it, to the API's form: pairs of
// NUL-terminated strings ended by one more NUL. "*.pak|*.pak" becomes "*.pak\0*.pak\0\0".
std::wstring Win32FileFilter(std::u16string_view filter);

class Win32FileDialog : public shell::FileDialog {
 public:
  // `owner` is the window the dialog is modal to; it may be 0.
  explicit Win32FileDialog(HWND owner) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  // GetOpenFileNameW or GetSaveFileNameW with the request's flags and filter, an empty name box,
  // the standard title, the system's start folder and no default extension. Empty on cancel, and
  // on a failure of the dialog itself.
  std::u16string Show(const shell::FileDialogRequest& request) override;

 private:
  HWND owner_;
};

class Win32MessageBox : public shell::MessageBox {
 public:
  explicit Win32MessageBox(HWND owner) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  // MessageBoxW with an OK button and no icon, modal to the owner.
  void Show(const std::u16string& text, const std::u16string& title) override;

 private:
  HWND owner_;
};

// A message box whose Yes, No and Cancel buttons carry the question's captions (renamed, and
// widened to fit them, as the box opens), the second the default; Escape and the close box are
// Cancel. MessageBoxW rather than a task dialog, which not every system (Wine) shows reliably.
class Win32ChoiceBox : public shell::ChoiceBox {
 public:
  explicit Win32ChoiceBox(HWND owner) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  Answer Ask(const Question& question) override;

 private:
  HWND owner_;
};

class Win32FolderDialog : public shell::FolderDialogBackend {
 public:
  bool IsWindow(std::intptr_t hwnd) override;
  // SHBrowseForFolderA with the request's owner, title and flags, BrowseCallbackProc, and the
  // initial path in a LocalAlloc block handed over as the callback's data.
  shell::BrowseResult Show(const shell::BrowseRequest& request) override;
  // The executable's file name without its extension.
  std::string ProgramName() const override;
};

// The dialog's callback: preselects the initial path when the dialog opens, and sends the
// selected folder's path as the status text whenever the selection changes. Always returns 0.
int CALLBACK BrowseCallbackProc(HWND hwnd, UINT message, LPARAM param, LPARAM data);

// Opens a file with the program Windows associates with it (ShellExecuteW "open").
class Win32Launcher : public shell::Launcher {
 public:
  explicit Win32Launcher(HWND owner) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  bool Open(const std::filesystem::path& file) override;

 private:
  HWND owner_;
};

// The services together, as the program logic takes them.
struct Win32Services {
  explicit Win32Services(HWND owner = nullptr)
      : file_dialog(owner), message_box(owner), choice_box(owner), launcher(owner) {}
  void SetOwner(HWND owner) {
    file_dialog.SetOwner(owner);
    message_box.SetOwner(owner);
    choice_box.SetOwner(owner);
    launcher.SetOwner(owner);
  }
  Win32FileDialog file_dialog;
  Win32MessageBox message_box;
  Win32ChoiceBox choice_box;
  Win32FolderDialog folder_dialog;
  Win32Launcher launcher;
};

}  // namespace shell::win32

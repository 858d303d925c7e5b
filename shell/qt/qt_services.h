// The modal services of the Qt front end: the file dialog, the message box and the platform half
// of the folder browser.
//
// The dialogs are Qt's own widgets rather than the desktop's native ones, so they look and behave
// the same everywhere, including on a display without a desktop. Each call builds a fresh dialog,
// so every file dialog opens with an empty name box.
#pragma once

#include <QString>
#include <QWidget>
#include <string>

#include "shell/folder_browser.h"
#include "shell/services.h"

namespace shell::qt {

class QtFileDialog : public shell::FileDialog {
 public:
  explicit QtFileDialog(QWidget* parent) : parent_(parent) {}
  // Follows the request's options; hiding the read-only box has nothing to hide on Qt.
  // No title, start folder or default extension is set.
  std::u16string Show(const shell::FileDialogRequest& request) override;

 private:
  QWidget* parent_;
};

class QtMessageBox : public shell::MessageBox {
 public:
  explicit QtMessageBox(QWidget* parent) : parent_(parent) {}
  // OK button, no icon.
  void Show(const std::u16string& text, const std::u16string& title) override;

 private:
  QWidget* parent_;
};

// A QMessageBox with the question's three buttons, the second the default and the third the
// escape button.
class QtChoiceBox : public shell::ChoiceBox {
 public:
  explicit QtChoiceBox(QWidget* parent) : parent_(parent) {}
  Answer Ask(const Question& question) override;

 private:
  QWidget* parent_;
};

// A folder-only chooser over the owner window; it opens on the initial path when that folder
// exists. Window handles are native window ids of Qt widgets.
class QtFolderDialog : public shell::FolderDialogBackend {
 public:
  bool IsWindow(std::intptr_t hwnd) override;
  shell::BrowseResult Show(const shell::BrowseRequest& request) override;
  std::string ProgramName() const override;
};

// Opens a file through the desktop's own association (xdg-open on Linux).
class QtLauncher : public shell::Launcher {
 public:
  bool Open(const std::filesystem::path& file) override;
};

// The services together, as the program logic takes them.
struct QtServices {
  explicit QtServices(QWidget* window)
      : file_dialog(window), message_box(window), choice_box(window) {}
  QtFileDialog file_dialog;
  QtMessageBox message_box;
  QtChoiceBox choice_box;
  QtFolderDialog folder_dialog;
  QtLauncher launcher;
};

}  // namespace shell::qt

// What the window logic of both programs shares: the two chosen paths (what the path labels keep
// in their Tag) and their shortened captions, choosing the archive with the file dialog and the
// folder with the folder browser, the enable rule of the main command, and telling the user why
// a step failed.
//
// Unbaler's and Rebaler's logic derive from it and add what only they do. Everything runs on the
// window's one thread; nothing here ends the program: a failure ends in a message box titled with
// the program's name, and the state stays as the step left it.
#pragma once

#include <string>
#include <string_view>

#include "codec/file_system.h"
#include "codec/status.h"
#include "codec/text.h"
#include "shell/browse_for_folder.h"
#include "shell/main_layout.h"
#include "shell/main_view.h"
#include "shell/services.h"

namespace shell {

class ProgramLogic : public MainCommands {
 public:
  // Every reference must outlive the logic. The code page is what FilesList.txt is in.
  ProgramLogic(Program program, MainView& view, FileDialog& file_dialog, MessageBox& message_box,
               FolderDialogBackend& folder_backend, pak::FileSystem& fs,
               const pak::CodePage& code_page);

  // The last step of the window's start-up: the main command starts disabled.
  void OnLoaded() override { UpdateMainCommand(); }
  // Enables the main command exactly when both paths are known.
  void UpdateMainCommand();

  const std::u16string& archive_path() const { return archive_path_; }
  const std::u16string& archive_caption() const { return archive_caption_; }
  const std::u16string& folder_path() const { return folder_path_; }
  const std::u16string& folder_caption() const { return folder_caption_; }

 protected:
  enum class Choice { kChosen, kKept, kFailed };

  // Shows the file dialog with an empty name box, PAK archives as its one filter and, when saving,
  // ".pak" added to a name typed without an extension. A chosen path becomes the archive path and
  // is shown in lblFileName; a cancel keeps the earlier choice.
  Choice ChooseArchive(FileDialogRequest::Kind kind, FileDialogOptions options);
  // Makes `path` the archive path and shows it in lblFileName (empty text for none).
  void SetArchivePath(std::u16string path);
  // Shows the folder browser over the window, starting at the current folder. A chosen folder
  // becomes the folder path and is shown in lblDir; an empty path is no folder and keeps the
  // earlier one, like a cancel. A browser error is shown here and gives kFailed.
  Choice ChooseFolder(std::u16string_view title);
  // A failed step: an I/O error in the error box with its number, anything else (a rejected
  // file, a refused name) as its message says it.
  void Report(const pak::Status& status);
  void Show(std::u16string_view text, std::u16string_view title);

  const Program program_;
  MainView& view_;
  pak::FileSystem& fs_;
  const pak::CodePage& code_page_;

 private:
  FileDialog& file_dialog_;
  MessageBox& message_box_;
  FolderDialogBackend& folder_backend_;
  std::u16string archive_path_;
  std::u16string archive_caption_;
  std::u16string folder_path_;
  std::u16string folder_caption_;
};

}  // namespace shell

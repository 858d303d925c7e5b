// Rebaler's main-window logic: choosing the archive to write, choosing the folder of files to
// pack, and packing that folder into the archive.
//
// The logic owns the window's state (both full paths, the last folder scan) and drives the
// window through shell::MainView; the window calls it through shell::MainCommands. Dialogs,
// message boxes and the disk are services handed in, so tests can use fakes and real temporary
// folders. The archive is written beside its target and moved over it only when complete, so a
// refused or failed repack leaves any earlier archive whole. Nothing is read from an existing
// archive.
//
// Failures never end the program: a refusal (a name the archive cannot store, nothing to pack)
// shows its message with the title "Rebaler"; a file-system or folder-browser error shows its
// number and description (shell::ErrorText) with the same title. The state stays as the step
// left it.
#pragma once

#include <string>
#include <vector>

#include "codec/file_system.h"
#include "codec/status.h"
#include "codec/text.h"
#include "codec/workflow.h"
#include "repacker/files_mismatch_dialog.h"
#include "shell/browse_for_folder.h"
#include "shell/main_view.h"
#include "shell/services.h"

namespace repacker {

inline constexpr char16_t kProgramTitle[] = u"Rebaler";
inline constexpr char16_t kFolderDialogTitle[] = u"Browse for Folder where the ogg files are";
inline constexpr char16_t kPakFilter[] = u"*.pak|*.pak";
inline constexpr char16_t kCanceledText[] = u"The repack was canceled by your request";
inline constexpr char16_t kCanceledTitle[] = u"Repack Canceled";

class RebalerLogic : public shell::MainCommands {
 public:
  RebalerLogic(shell::MainView& view, shell::FileDialog& file_dialog,
               shell::MessageBox& message_box, shell::FolderDialogBackend& folder_backend,
               FilesMismatchDialogFactory dialog_factory,
               pak::FileSystem& fs = pak::DefaultFileSystem(),
               const pak::CodePage& code_page = pak::SystemCodePage());

  // shell::MainCommands
  void OnLoaded() override;
  void OnSelectFile() override;   // chooses the archive path
  void OnSelectDir() override;    // chooses the folder, then rescans it
  void OnMainCommand() override;  // RepackAll

  // Rebuilds the file list and the recorded names from the folder path.
  void ScanFolder();
  // Enables the repack command exactly when both paths are known.
  void UpdateRepackButton();
  // Compares the folder with its FilesList.txt, lets the user confirm a difference, then packs
  // the listed files into the archive path.
  void RepackAll();

  const std::u16string& ArchivePath() const { return archive_path_; }
  const std::u16string& FolderPath() const { return folder_path_; }
  // lstFiles: the files to pack, in packing order.
  const std::vector<std::u16string>& Files() const { return scan_.files; }
  bool FilesListFound() const { return scan_.files_list_found; }
  const std::vector<std::u16string>& RecordedNames() const { return scan_.recorded_names; }

 private:
  // Shows a failed status: a refusal as its message, anything else as an error box.
  void ShowFailure(const pak::Status& status);

  shell::MainView& view_;
  shell::FileDialog& file_dialog_;
  shell::MessageBox& message_box_;
  shell::FolderDialogBackend& folder_backend_;
  FilesMismatchDialogFactory dialog_factory_;
  pak::FileSystem& fs_;
  const pak::CodePage& code_page_;

  std::u16string archive_path_;  // lblFileName's Tag
  std::u16string folder_path_;   // lblDir's Tag
  pak::FolderScan scan_;         // lstFiles, the recorded names and whether the list was found
};

}  // namespace repacker

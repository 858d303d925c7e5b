// Rebaler's main-window logic: choosing the archive to write, choosing the folder of files to
// pack, and packing that folder, as it is when the command is given, into the archive.
//
// The folder is read off the window's thread, as the pack is: when it is chosen (the list fills
// once the scan ends) and again when the repack starts. The difference dialog comes between
// that scan and the pack, on the window's thread; a stop during the scan packs nothing.
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
// number and description (shell::ErrorText) with the same title.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "codec/workflow.h"
#include "repacker/difference_dialog.h"
#include "shell/program_logic.h"

namespace repacker {

inline constexpr std::u16string_view kTitle = shell::ProgramTitle(shell::Program::kRebaler);
inline constexpr char16_t kFolderDialogTitle[] = u"Browse for Folder where the ogg files are";
inline constexpr char16_t kCanceledText[] = u"The repack was canceled by your request";
inline constexpr char16_t kCanceledTitle[] = u"Repack Canceled";
// A listed file that is gone when it is opened; %1 is its path.
inline constexpr char16_t kFileGoneText[] = u"%1\n\nThe file is no longer in the folder.";
// The verb of the status line while packing.
inline constexpr char16_t kPackingText[] = u"Packing";
// The status line after a pack: %1 the count of files (shell::CountText), %2 the archive, %3 its
// size (shell::SizeText), when the archive can be looked at; after a stopped one, %1 the archive.
inline constexpr char16_t kPackedText[] = u"%1 packed into %2";
inline constexpr char16_t kPackedSizeText[] = u"%1 packed into %2 (%3)";
inline constexpr char16_t kPackingStoppedText[] = u"Packing stopped: %1 was left as it was";
// The last line of LeftOutText: how many more were left out.
inline constexpr char16_t kOneMoreText[] = u"%1 more file not packed";
inline constexpr char16_t kMoreText[] = u"%1 more files not packed";

// The box that names the files a pack left out of the archive, and why: one line each, the first
// twenty, then how many more.
std::u16string LeftOutText(const std::vector<pak::LeftOutFile>& left_out);

class RebalerLogic : public shell::ProgramLogic {
 public:
  RebalerLogic(shell::MainView& view, shell::FileDialog& file_dialog,
               shell::MessageBox& message_box, shell::FolderDialogBackend& folder_backend,
               DifferenceDialogFactory dialog_factory,
               pak::FileSystem& fs = pak::DefaultFileSystem(),
               const pak::CodePage& code_page = pak::Windows1252());

  void OnSelectFile() override;                   // chooses the archive path
  void OnSelectDir() override;                    // chooses the folder, then rescans it
  void OnMainCommand() override { RepackAll(); }  // repack

  // Rebuilds the file list and the recorded names from the folder path, off the window's
  // thread; the list is filled when the scan ends. A folder that cannot be read is reported and
  // leaves the list empty, and so does a scan that was stopped.
  void ScanFolder();
  // Enables the repack command exactly when both paths are known.
  void UpdateRepackButton() { UpdateMainCommand(); }
  // Rescans the folder, compares it with its FilesList.txt, lets the user confirm a difference,
  // then packs the listed files into the archive path; `progress` hears of each file packed.
  // A stop during the scan ends the repack quietly, before anything is written.
  void RepackAll(const pak::Progress& progress = {});

  // Sorting by name or by size; the files' own order is by name already.
  std::vector<shell::ListMenuItem> ListMenu() override;
  // Opens the folder's file of the list item `index` with the system's program for its kind.
  void OnOpenItem(std::size_t index) override;

  // lstFiles: the files to pack, in packing order.
  const std::vector<std::u16string>& Files() const { return scan_.files; }
  bool FilesListFound() const { return scan_.files_list_found; }
  const std::vector<std::u16string>& RecordedNames() const { return scan_.recorded_names; }
  // What the last scan found in the folder and does not pack.
  const std::vector<pak::LeftOutFile>& LeftOut() const { return scan_.left_out; }

 protected:
  void ArchiveChosen(std::u16string path) override;
  void FolderChosen(std::u16string path) override;  // lists the folder's files
  std::u16string CheckArchiveArgument(std::u16string& path) override;

 private:
  // What follows a scan that read the whole folder, on the window's thread, with the difference
  // between the files and FilesList.txt.
  using Scanned = std::function<void(const pak::NameDifference& diff)>;
  // Scans the folder path as work. Without `scanned` (choosing a folder) the list shows what was
  // read, or nothing after a failure or a stop. With it (a repack) the files are compared with
  // FilesList.txt on the worker too, a stop changes nothing, and a complete scan is listed
  // before `scanned` runs.
  void Scan(Scanned scanned);
  // Packs the files of the last scan into the archive path, as work.
  void Pack(const pak::Progress& progress);

  // The two jobs: scanning the folder, and packing it.
  class ScanJob;
  class PackJob;

  DifferenceDialogFactory dialog_factory_;
  pak::FolderScan scan_;  // lstFiles, the recorded names and whether the list was found
};

}  // namespace repacker

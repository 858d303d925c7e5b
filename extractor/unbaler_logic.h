// Unbaler's main-window logic: choosing the archive and the destination folder, listing the
// archive's entries and extracting them all.
//
// The logic owns the window's state: the two chosen paths (what the path labels keep in their
// Tag), their shortened captions, the names of the archive accepted last and the stamp of its
// file. It drives the window through shell::MainView and reaches the user only through the
// services it is given, so the same logic runs under every front end and under tests.
//
// Choosing an archive reads only its directory; nothing of the file stays open or in memory but
// the names. Extracting opens the file again and copies each entry from it, after checking that
// the file is still the one listed: one that was changed or replaced meanwhile is listed again
// and nothing is extracted, so the folder never gets a mix of two archives, nor entries the
// window did not show.
//
// Several entries can be selected in the list; its context menu extracts those alone (without
// FilesList.txt, since the folder then does not hold the whole archive) or all of them. A double
// click on an entry copies it into a private temporary folder and opens it with the system's
// program for its kind; the folder goes when the logic does.
//
// Nothing here ends the program. A file that is not an archive, a name that cannot be written
// safely and an I/O failure each end in a message box titled "Unbaler"; the window keeps the state
// the step left it in. After a rejected file the archive label names the archive still listed.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "codec/reader.h"
#include "codec/writer.h"
#include "shell/program_logic.h"
#include "shell/temp_folder.h"

namespace extractor {

inline constexpr std::u16string_view kTitle = shell::ProgramTitle(shell::Program::kUnbaler);
inline constexpr char16_t kBrowseTitle[] =
    u"Browse for Folder where the PAK file will be extracted";
// Shown when the extract command is given with no archive listed.
inline constexpr char16_t kNoArchiveLoaded[] =
    u"There is no archive to extract: the chosen file could not be read as a PAK file.";
// The second part of "Invalid file" when the file is rejected before any entry is read.
inline constexpr char16_t kNotAnArchive[] =
    u"The file is shorter than a PAK file's header or does not begin with its signature.";
// Shown instead of extracting when the archive's file is no longer the one listed.
inline constexpr char16_t kArchiveChanged[] =
    u"The PAK file changed after it was listed, so nothing was extracted.\n"
    u"It has been read again: check the list and extract again.";

// The question asked before an extraction replaces files that the user changed after an earlier
// extraction into the folder: %1 is their count, %2 the folder, %3 their names (ChangedNames).
inline constexpr char16_t kChangedFileQuestion[] =
    u"1 file in %2 was changed after it was extracted: %3. Replace it with the archive's "
    u"version?";
inline constexpr char16_t kChangedFilesQuestion[] =
    u"%1 files in %2 were changed after they were extracted: %3. Replace them with the "
    u"archive's version?";
// After the names shown, how many more there are.
inline constexpr char16_t kMoreNames[] = u"and %1 more";
// Its buttons: replace them, extract the rest and leave them as they are, write nothing.
inline constexpr char16_t kReplaceText[] = u"Replace";
inline constexpr char16_t kKeepMyFilesText[] = u"Keep my files";
inline constexpr char16_t kCancelText[] = u"Cancel";

// The question about `names`, changed files in `folder`: the first few names, escaped as the
// list shows them, then how many more.
std::u16string ChangedFilesText(std::u16string_view folder,
                                const std::vector<std::u16string>& names);

// lstFiles' context menu.
inline constexpr char16_t kExtractSelectedText[] = u"Extract Selected Files\u2026";
inline constexpr char16_t kExtractAllText[] = u"Extract All Files";
inline constexpr char16_t kReplaceEntryText[] = u"Replace Entry\u2026";
// Replace Entry's file dialog takes a file of any kind.
inline constexpr char16_t kReplaceEntryFilter[] = u"All files (*.*)|*.*";
// The question before an entry is replaced: %1 is the entry, %2 the archive, %3 the file. Its
// buttons: Replace, and Cancel (the default).
inline constexpr char16_t kReplaceEntryQuestion[] =
    u"Replace the entry %1 in %2 with %3? The archive is rewritten; every other entry stays as "
    u"it is.";
// The verb of the status line while the archive is rewritten, and the line after: %1 is the
// entry, %2 the archive.
inline constexpr char16_t kReplacingText[] = u"Replacing";
inline constexpr char16_t kEntryReplacedText[] = u"%1 replaced in %2";
// Shown instead of replacing when the archive's file is no longer the one listed.
inline constexpr char16_t kArchiveChangedNotReplaced[] =
    u"The PAK file changed after it was listed, so no entry was replaced and nothing was "
    u"written.\nIt has been read again: check the list and replace the entry again.";
// The box that refuses a file that is no archive, above its name and the fault.
inline constexpr char16_t kInvalidFileText[] = u"Invalid file";
// The verbs of the status line while entries are extracted, or one is copied out to be opened.
inline constexpr char16_t kExtractingText[] = u"Extracting";
inline constexpr char16_t kOpeningText[] = u"Opening";
// The status line after an extraction, and after one that was stopped: %1 is the count of files
// (shell::CountText), %2 the folder.
inline constexpr char16_t kExtractedText[] = u"%1 extracted into %2";
inline constexpr char16_t kExtractionStoppedText[] = u"Extraction stopped: %1 extracted into %2";

// Several archives dropped or given at once. The question before they are extracted: %1 is
// their count, %2 the folder; its button that extracts them, beside Cancel (the default).
inline constexpr char16_t kExtractEachQuestion[] =
    u"Extract each of the %1 archives into a folder of its name in %2?";
inline constexpr char16_t kExtractEachText[] = u"Extract Each";
// The refusal of two archives that would go into one folder: %1 and %2 are the archives, %3
// the folder.
inline constexpr char16_t kSameFolderText[] =
    u"%1 and %2 would both be extracted into %3, so nothing was extracted.";
// The status line after them: %1 is the count extracted, %2 the folder; with failures, %3 the
// count of archives and %4 the names of those that failed, whose faults a box then shows.
inline constexpr char16_t kArchivesExtractedText[] = u"%1 archives extracted into %2";
inline constexpr char16_t kSomeArchivesExtractedText[] =
    u"%1 of %3 archives extracted into %2; not extracted: %4";
// The head of that box, above each failed archive with its fault.
inline constexpr char16_t kArchivesFailedText[] = u"These archives were not extracted in full:";

// The folder that an archive of several is extracted into, in `folder`: its file's name without
// ".pak".
pak::Path ArchiveFolder(const pak::Path& folder, const std::u16string& archive);

class UnbalerLogic : public shell::ProgramLogic {
 public:
  // Every reference must outlive the logic. The code page is what FilesList.txt is written in.
  UnbalerLogic(shell::MainView& view, shell::FileDialog& file_dialog,
               shell::MessageBox& message_box, shell::FolderDialogBackend& folder_backend,
               pak::FileSystem& fs = pak::DefaultFileSystem(),
               const pak::CodePage& code_page = pak::Windows1252());

  void OnSelectFile() override;                    // choose and read the archive
  void OnSelectDir() override;                     // choose the folder
  void OnMainCommand() override { ExtractAll(); }  // extract

  // The extract command is enabled exactly when both paths are known. The archive path is empty
  // until an archive is accepted, and a rejected file gives the path back to the archive listed.
  void UpdateExtractButton() { UpdateMainCommand(); }
  // Writes FilesList.txt and every entry of the listed archive into the chosen folder, reading
  // the entries from its file; `progress` hears of each entry written.
  void ExtractAll(const pak::Progress& progress = {});

  // The menu: extracting the selected entries (off while none is), extracting all (off while no
  // archive is listed), replacing the one selected entry (off unless exactly one is), then
  // sorting; all off while work runs.
  std::vector<shell::ListMenuItem> ListMenu() override;
  // Extract All asks for the folder first when none is chosen yet; Extract Selected always
  // does, starting at the chosen one.
  void OnListCommand(shell::ListCommand command) override;
  // Copies the entry of the list item `index` into a folder of its own in the private
  // temporary folder and opens it there with the system's program for its kind.
  void OnOpenItem(std::size_t index) override;

  // Copies the selected entries into a new folder of the private temporary folder, now, with the
  // busy cursor, for a drag out of the window; the copies, marked as downloaded. Names are
  // checked as for any extraction, but every kind of file may be dragged: nothing is run. A
  // failure, or an archive that is no longer the one listed, shows its box and drags nothing.
  std::vector<std::u16string> OnDragOut() override;

  // Writes the entries selected in lstFiles into the chosen folder, without FilesList.txt,
  // reading them from the archive's file as ExtractAll does.
  void ExtractSelected(const pak::Progress& progress = {});
  // The entries (their places in the archive) behind the items selected in lstFiles, in
  // archive order.
  std::vector<std::size_t> SelectedEntries() const;
  // Replaces the one selected entry by a file the user chooses, after asking, under the entry's
  // own name; the archive is rewritten on the worker (pak::EditArchive) and listed again. An
  // archive that is no longer the one listed is listed again and nothing is written.
  void ReplaceEntry();
  // Where opened entries are copied to.
  const shell::TempFolder& temp_folder() const { return opened_; }

  // Whether an archive is listed, and how many entries it has.
  bool has_archive() const { return listed_.has_value(); }
  std::size_t entry_count() const { return listed_ ? listed_->entries : 0; }
  // The names of the entries lstFiles shows, top to bottom.
  std::vector<std::u16string> list_items() const;

 protected:
  void ArchiveChosen(std::u16string path) override;  // reads it, then lists it
  void FolderChosen(std::u16string path) override;
  // Asks for a folder when none is chosen, refuses two archives of one folder name, asks, then
  // extracts each archive into a folder of its name there, one after another on the worker; one
  // that fails does not stop the rest. The archive listed stays listed.
  void ArchivesChosen(std::vector<std::u16string> archives) override;
  std::u16string ItemText(const std::u16string& name) const override;

 private:
  // What is known of the archive listed: its file's stamp when the directory was read (none
  // where the file system cannot tell) and its number of entries.
  struct Listed {
    std::optional<pak::FileStamp> stamp;
    std::size_t entries = 0;
  };
  // The two jobs: reading an archive's directory, and extracting from its file.
  class ReadJob;
  class ExtractJob;
  class ReplaceJob;
  class ManyJob;

  // Reads the directory of the archive path; on success it is listed, else the failure is
  // reported and the archive path goes back to `listed_path`.
  void LoadArchive(std::u16string listed_path);
  // Lists an archive just read from a file with the stamp `stamp`.
  void List(const pak::PakArchive& archive, std::optional<pak::FileStamp> stamp);
  // Reports a load that failed: "Invalid file" with the file's name and the fault below it, an
  // I/O error with its number.
  void ReportLoadFailure(const pak::Status& status);

  // What ends an extraction that ran: its status and the number of files written.
  using Extracted = std::function<void(const pak::Status& status, std::size_t done)>;
  // Extracts the entries at `chosen` of the listed archive (every entry and FilesList.txt when
  // none are given) into `folder`, off the window's thread. A file that is no longer the one
  // listed is listed again and nothing is written; a refused name or an I/O error is reported;
  // `extracted` hears of the rest: a success or a stop.
  // The entries at `kept` are not written (ExtractAll's `kept`).
  void Extract(std::u16string verb, pak::Path folder,
               std::optional<std::vector<std::size_t>> chosen, const pak::Progress& progress,
               Extracted extracted, std::vector<std::size_t> kept = {});
  // Before `entries` are written into the chosen folder: those whose files the user changed
  // after an earlier extraction there (pak::ChangedSinceExtraction), when the user keeps them.
  // When there are such files the user is asked whether to replace them; none is returned
  // when the user cancels, or when the folder's list cannot be read (which is reported):
  // nothing is to be written then. Without a choice box the files are kept.
  std::optional<std::vector<std::size_t>> KeptEntries(const std::vector<std::size_t>& entries);
  // The status line after extracting into the chosen folder.
  void ShowExtracted(const pak::Status& status, std::size_t done);
  // True when a folder is chosen, after asking for one when none was.
  bool HaveFolder();

  std::optional<Listed> listed_;
  shell::TempFolder opened_{"unbaler"};
};

}  // namespace extractor

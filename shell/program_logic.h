// What the window logic of both programs shares: the two chosen paths (what the path labels keep
// in their Tag) and their shortened captions, choosing the archive with the file dialog and the
// folder with the folder browser, the enable rule of the main command, and telling the user why
// a step failed.
//
// Unbaler's and Rebaler's logic derive from it and add what only they do. Everything runs on the
// window's one thread; nothing here ends the program: a failure ends in a message box titled with
// the program's name, and the state stays as the step left it.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codec/file_system.h"
#include "codec/status.h"
#include "codec/text.h"
#include "shell/entry_list.h"
#include "shell/folder_browser.h"
#include "shell/main_layout.h"
#include "shell/main_view.h"
#include "shell/services.h"
#include "shell/translate.h"
#include "shell/work.h"

namespace shell {

// What a drop chooses: at most one archive and one folder, or Unbaler's several archives (then
// `archive` is none) and at most one folder. Nothing when the drop is refused.
struct DropChoice {
  std::optional<std::u16string> archive;
  std::optional<std::u16string> folder;
  std::vector<std::u16string> archives;  // two or more
  bool accepted() const { return archive.has_value() || folder.has_value() || !archives.empty(); }
};

// Sorts dropped paths by what `program` makes of them: a folder is the folder to extract into or
// to pack; a file is Unbaler's archive to read, or Rebaler's archive to write when its name ends
// in ".pak" (in any case). One folder and one file may come together. A drop with anything else
// (two of a kind, a file Rebaler would not write, a path that is neither file nor folder) is
// refused whole: a drop either does what it shows or nothing. The one exception: Unbaler takes
// several files when every one of them ends in ".pak", as several archives.
DropChoice ChooseFromDrop(Program program, const std::vector<std::u16string>& paths,
                          pak::FileSystem& fs);

// Whether the last name of `path` ends in ".pak", in any case.
bool HasPakExtension(std::u16string_view path);

// The heads of the boxes that refuse a path given on the command line, followed by the path.
inline constexpr char16_t kNoSuchFolder[] = u"No such folder";
inline constexpr char16_t kNotAFile[] = u"Not a file";
// The sorting commands of lstFiles' context menu.
inline constexpr char16_t kSortByNameText[] = u"Sort by Name";
inline constexpr char16_t kSortBySizeText[] = u"Sort by Size";
inline constexpr char16_t kSortStoredText[] = u"Archive Order";
// The head of the box shown when the system could not open that folder; the folder follows.
inline constexpr char16_t kFolderNotOpened[] = u"Could not open the folder";

// The status line while work runs: its verb (kReadingText, ...) with "…"; then ProgressText.
inline constexpr char16_t kWorkingText[] = u"%1\u2026";
inline constexpr char16_t kStoppingText[] = u"Stopping\u2026";
inline constexpr char16_t kReadingText[] = u"Reading";
// A count of files; %1 is the number. The sizes are SizeLabel's (kOneByte, ...).
inline constexpr char16_t kOneFile[] = u"%1 file";
inline constexpr char16_t kFiles[] = u"%1 files";
// An opened entry for which the system has no program; %1 is its name.
inline constexpr char16_t kNoProgramText[] =
    u"Could not open %1\n\nThe system has no program set to open files of this kind.";
// The box that refuses a path: `head`, a blank line and the path.
std::u16string RefusalText(std::u16string_view head, std::u16string_view path);

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

  // Where work runs; by default on the caller's thread. `runner` must outlive the logic.
  void SetRunner(WorkRunner& runner) { runner_ = &runner; }
  WorkState work_state() const { return state_; }
  bool Working() const override {
    return state_ == WorkState::kRunning || state_ == WorkState::kCancelling;
  }
  // Asks running work to stop (between two chunks of an entry); nothing when none runs.
  void OnCancel() override;
  const std::u16string& status_text() const { return status_; }

  // The paths of the command line, in the program's order (StartArguments), chosen once start-up
  // has ended as if they had come from the dialogs. A folder must exist, as the folder browser
  // demands; an archive must not be a folder. A path refused is named in a box and not chosen.
  // Several archives (with a folder or not) are taken as a drop of them would be; when one of
  // them is no file, each such path is named and nothing is chosen.
  void OpenStartPaths(const std::vector<std::u16string>& paths);
  // A drop (ChooseFromDrop) chooses its paths as the dialogs would; refused while work runs.
  bool AcceptsDrop(const std::vector<std::u16string>& paths) override;
  void OnDrop(const std::vector<std::u16string>& paths) override;
  // Opens the folder the status line offers in the system's file manager; nothing when it offers
  // none or work runs.
  void OnOpenFolder() override;
  const std::optional<std::u16string>& offered_folder() const { return offered_folder_; }
  // The sorting commands; the rest are the program's.
  void OnListCommand(ListCommand command) override;
  // Shows only the items whose names hold `text` (ignoring case); the counts follow.
  void OnFilter(const std::u16string& text) override;
  // The entries or files lstFiles lists, in their order, and the rows it shows of them.
  const EntryList& list() const { return list_; }
  // The line the status strip shows: the status, or while that is empty the list's summary.
  std::u16string ShownStatus() const;
  // How files are opened with their programs (an entry, a listed file); `launcher` must outlive
  // the logic. Without one, nothing can be opened.
  void SetLauncher(Launcher& launcher) { launcher_ = &launcher; }
  // How a question with three answers is asked (Ask); `box` must outlive the logic.
  void SetChoiceBox(ChoiceBox& box) { choice_box_ = &box; }

 protected:
  enum class Choice { kChosen, kKept, kFailed };

  // Several archives dropped or given at once (DropChoice::archives), after any folder that came
  // with them was chosen; nothing by default.
  virtual void ArchivesChosen(std::vector<std::u16string> /*archives*/) {}

  // Runs `job` on the runner; nothing when work runs already. Meanwhile the commands are off, the
  // busy cursor is on and the status line reads `verb` with the entries done ("Extracting 123 of
  // 812"). At the end, on the window's thread, the state becomes kDone, kFailed or (after a stop)
  // kIdle, the commands come back, and the job's Finish says what happened.
  void RunWork(std::u16string verb, std::unique_ptr<Job> job);
  // Whether the user asked the last work to stop, even when it ended before it could.
  bool StopAsked() const { return run_ && run_->stop_asked(); }
  // A new status line; it offers no folder.
  void SetStatus(std::u16string text);
  // Makes the status line, as it stands, offer to open `folder` (until the next status line).
  void OfferFolder(std::u16string folder);

  // Lists `entries` (in their own order) in lstFiles, in the order and with the filter chosen.
  void ListEntries(std::vector<ListEntry> entries);
  // The sorting items of the context menu: by name, by size and, where the entries' own order
  // means something to the user (`stored`), in that order. Off while work runs.
  std::vector<ListMenuItem> SortMenu(bool stored) const;
  // The text an item of lstFiles shows for the name `name`.
  virtual std::u16string ItemText(const std::u16string& name) const { return name; }

  // Shows the file dialog with an empty name box, PAK archives as its one filter and, when saving,
  // ".pak" added to a name typed without an extension. A chosen path goes to ArchiveChosen; a
  // cancel keeps the earlier choice.
  Choice ChooseArchive(FileDialogRequest::Kind kind, FileDialogOptions options);
  // Shows the file dialog for any other file; the chosen path, or empty when cancelled.
  std::u16string ChooseFile(const FileDialogRequest& request) { return file_dialog_.Show(request); }
  // Makes `path` the archive path and shows it in lblFileName (empty text for none).
  void SetArchivePath(std::u16string path);
  // Makes `path` the folder path and shows it in lblDir.
  void SetFolderPath(std::u16string path);

  // A path the user chose, in a dialog, on the command line or by a drop: what the program does
  // with it. Unbaler reads the archive; Rebaler lists the folder.
  virtual void ArchiveChosen(std::u16string path) = 0;
  virtual void FolderChosen(std::u16string path) = 0;
  // Checks an archive path given on the command line as the program's file dialog would have;
  // may complete it. Returns the text of the box that refuses it (RefusalText), or nothing when
  // it is taken. By default a folder is no archive.
  virtual std::u16string CheckArchiveArgument(std::u16string& path);
  // Shows the folder browser over the window, starting at the current folder. A chosen folder
  // goes to FolderChosen; an empty path is no folder and keeps the earlier one, like a cancel. A
  // browser error is shown here and gives kFailed.
  Choice ChooseFolder(std::u16string_view title);
  // A failed step: an I/O error in the error box with its number, anything else (a rejected
  // file, a refused name) as its message says it.
  void Report(const pak::Status& status);
  void Show(std::u16string_view text, std::u16string_view title);
  // Whether a file named `name` may be handed to the system's program (OpensAsData); when not,
  // a box names its real extension.
  bool MayOpen(std::u16string_view name);
  // Opens `file`, named `name` in the list, with the system's program for its kind, when it may
  // be opened (MayOpen); says so in a message box when none took it.
  void Launch(const pak::Path& file, std::u16string_view name);
  // Asks `question` in the choice box; none when no box was given.
  std::optional<ChoiceBox::Answer> Ask(const ChoiceBox::Question& question);

  const Program program_;
  MainView& view_;
  pak::FileSystem& fs_;
  const pak::CodePage& code_page_;

 private:
  // Chooses the folder first: an archive chosen first may start a read that a later folder
  // choice must not disturb.
  void ChoosePaths(std::optional<std::u16string> archive, std::optional<std::u16string> folder);
  // On the window's thread: the status line and its bar while `verb` work runs.
  void ShowProgress(std::u16string_view verb, const pak::ProgressCount& count);
  // On the window's thread: the end of `run`, which ran last.
  void EndWork(WorkRun& run);
  // Fills lstFiles with the rows of list_, and the status strip with their summary.
  void ShowRows();

  FileDialog& file_dialog_;
  MessageBox& message_box_;
  FolderDialogBackend& folder_backend_;
  Launcher* launcher_ = nullptr;
  ChoiceBox* choice_box_ = nullptr;
  std::u16string archive_path_;
  std::u16string archive_caption_;
  std::u16string folder_path_;
  std::u16string folder_caption_;
  InlineRunner inline_runner_;
  WorkRunner* runner_ = &inline_runner_;
  WorkState state_ = WorkState::kIdle;
  std::shared_ptr<WorkRun> run_;  // the work running, or the last that ran
  std::u16string status_;
  std::optional<std::u16string> offered_folder_;
  EntryList list_;
};

// "1 file" / "812 files": the pattern for one or for any other number (kOneFile, kFiles), in the
// user's language, with `count` in it.
std::u16string CountText(std::size_t count, std::u16string_view one, std::u16string_view many);
// A size for the status line: "913 MB", "12 KB", "80 bytes" (binary units, rounded).
std::u16string SizeText(std::uint64_t bytes);

}  // namespace shell

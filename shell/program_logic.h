// What the window logic of both programs shares: the two chosen paths (what the path labels keep
// in their Tag) and their shortened captions, choosing the archive with the file dialog and the
// folder with the folder browser, the enable rule of the main command, and telling the user why
// a step failed.
//
// Unbaler's and Rebaler's logic derive from it and add what only they do. Everything runs on the
// window's one thread; nothing here ends the program: a failure ends in a message box titled with
// the program's name, and the state stays as the step left it.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "codec/file_system.h"
#include "codec/status.h"
#include "codec/text.h"
#include "shell/browse_for_folder.h"
#include "shell/main_layout.h"
#include "shell/main_view.h"
#include "shell/services.h"
#include "shell/work.h"

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

  // Where work runs; by default on the caller's thread. `runner` must outlive the logic.
  void SetRunner(WorkRunner& runner) { runner_ = &runner; }
  WorkState work_state() const { return state_; }
  bool Working() const override {
    return state_ == WorkState::kRunning || state_ == WorkState::kCancelling;
  }
  // Asks running work to stop before its next entry; nothing when none runs.
  void OnCancel() override;
  const std::u16string& status_text() const { return status_; }

  // How files are opened with their programs (an entry, a listed file); `launcher` must outlive
  // the logic. Without one, nothing can be opened.
  void SetLauncher(Launcher& launcher) { launcher_ = &launcher; }

 protected:
  enum class Choice { kChosen, kKept, kFailed };

  // A job: runs on the worker, reports each entry through `progress` and ends early, with a
  // kCancelled status, once `stop` is set.
  using Job = std::function<pak::Status(const pak::Progress& progress, const pak::StopFlag& stop)>;
  // What ended: the job's status and the number of entries it reported done.
  using Finished = std::function<void(const pak::Status& status, std::size_t done)>;
  // Runs `job` on the runner. Meanwhile the commands are off, the busy cursor is on and the
  // status line reads `verb` with the entries done ("Extracting 123 of 812"). At the end, on the
  // window's thread, the state becomes kDone, kFailed or (after a stop) kIdle, the commands come
  // back, and `finished` says what happened.
  void RunWork(std::u16string verb, Job job, Finished finished);
  void SetStatus(std::u16string text);

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
  // Opens `file` with the system's program for its kind; says so in a message box when none
  // took it.
  void Launch(const pak::Path& file);

  const Program program_;
  MainView& view_;
  pak::FileSystem& fs_;
  const pak::CodePage& code_page_;

 private:
  FileDialog& file_dialog_;
  MessageBox& message_box_;
  FolderDialogBackend& folder_backend_;
  Launcher* launcher_ = nullptr;
  std::u16string archive_path_;
  std::u16string archive_caption_;
  std::u16string folder_path_;
  std::u16string folder_caption_;
  InlineRunner inline_runner_;
  WorkRunner* runner_ = &inline_runner_;
  WorkState state_ = WorkState::kIdle;
  std::shared_ptr<pak::StopFlag> stop_;
  std::u16string status_;
};

// "1 file" / "812 files".
std::u16string CountText(std::size_t count, std::u16string_view one, std::u16string_view many);
// A size for the status line: "913 MB", "12 KB", "80 bytes" (binary units, rounded).
std::u16string SizeText(std::uint64_t bytes);

}  // namespace shell

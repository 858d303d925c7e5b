#include "repacker/rebaler_logic.h"

#include <utility>

#include "shell/error_text.h"
#include "shell/path_display.h"

namespace repacker {

RebalerLogic::RebalerLogic(shell::MainView& view, shell::FileDialog& file_dialog,
                           shell::MessageBox& message_box,
                           shell::FolderDialogBackend& folder_backend,
                           FilesMismatchDialogFactory dialog_factory, pak::FileSystem& fs,
                           const pak::CodePage& code_page)
    : view_(view),
      file_dialog_(file_dialog),
      message_box_(message_box),
      folder_backend_(folder_backend),
      dialog_factory_(std::move(dialog_factory)),
      fs_(fs),
      code_page_(code_page) {}

void RebalerLogic::OnLoaded() { UpdateRepackButton(); }

void RebalerLogic::OnSelectFile() {
  shell::FileDialogRequest request;
  request.kind = shell::FileDialogRequest::Kind::kSave;
  request.flags = shell::OFN_OVERWRITEPROMPT | shell::OFN_HIDEREADONLY | shell::OFN_PATHMUSTEXIST;
  request.filter = kPakFilter;
  std::u16string path = file_dialog_.Show(request);
  if (path.empty()) return;  // cancelled: the earlier choice stands
  // Only a place to write to: the file is neither opened nor read here.
  archive_path_ = std::move(path);
  view_.SetFileCaption(shell::ShortenPath(archive_path_));
  UpdateRepackButton();
}

void RebalerLogic::OnSelectDir() {
  try {
    shell::CBrowseForFolder browser(folder_backend_);
    browser.Init(folder_path_, view_.WindowHandle(), kFolderDialogTitle,
                 shell::BIF_RETURNONLYFSDIRS);
    if (browser.Browse()) {
      folder_path_ = browser.SelectedPath();
      view_.SetDirCaption(shell::ShortenPath(folder_path_));
    }
  } catch (const shell::BrowseError& e) {
    message_box_.Show(shell::ErrorText(e.number(), e.description()), kProgramTitle);
    return;
  }
  // Also after a cancel: files added or removed meanwhile are picked up.
  ScanFolder();
  UpdateRepackButton();
}

void RebalerLogic::ScanFolder() {
  scan_ = pak::FolderScan();
  pak::Status failure;
  if (!folder_path_.empty()) {
    shell::BusyCursor busy(view_);
    auto scan = pak::ScanFolder(fs_, pak::Path(folder_path_), code_page_);
    if (scan.ok()) {
      scan_ = std::move(scan).value();
    } else {
      failure = scan.status();  // a half-read folder is never shown: the list stays empty
    }
  }
  view_.SetListItems(scan_.files);
  if (!failure.ok()) ShowFailure(failure);
}

void RebalerLogic::UpdateRepackButton() {
  view_.SetMainCommandEnabled(!archive_path_.empty() && !folder_path_.empty());
}

void RebalerLogic::OnMainCommand() { RepackAll(); }

void RebalerLogic::RepackAll() {
  // The command is disabled without both paths; a stray call does nothing.
  if (archive_path_.empty() || folder_path_.empty()) return;

  const pak::NameDifference diff = pak::CompareNames(scan_);
  if (diff.needs_confirmation) {
    std::int32_t answer = 0;
    {
      std::unique_ptr<FilesMismatchDialog> dialog = dialog_factory_();
      answer = dialog->ShowDiff(diff.added, diff.deleted);
    }
    if (answer == 0) {
      message_box_.Show(kCanceledText, kCanceledTitle);
      return;
    }
  }

  pak::Status status;
  {
    shell::BusyCursor busy(view_);
    status = pak::PackFolder(fs_, pak::Path(folder_path_), scan_.files, pak::Path(archive_path_));
  }
  if (!status.ok()) ShowFailure(status);
}

void RebalerLogic::ShowFailure(const pak::Status& status) {
  const std::u16string message = pak::FromUtf8(status.message());
  if (status.kind() == pak::Status::Kind::kRefused) {
    message_box_.Show(message, kProgramTitle);
  } else {
    message_box_.Show(shell::ErrorText(status.error_number(), message), kProgramTitle);
  }
}

}  // namespace repacker

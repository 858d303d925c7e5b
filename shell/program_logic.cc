#include "shell/program_logic.h"

#include <utility>

#include "shell/error_text.h"
#include "shell/path_display.h"

namespace shell {

ProgramLogic::ProgramLogic(Program program, MainView& view, FileDialog& file_dialog,
                           MessageBox& message_box, FolderDialogBackend& folder_backend,
                           pak::FileSystem& fs, const pak::CodePage& code_page)
    : program_(program),
      view_(view),
      fs_(fs),
      code_page_(code_page),
      file_dialog_(file_dialog),
      message_box_(message_box),
      folder_backend_(folder_backend) {}

void ProgramLogic::UpdateMainCommand() {
  view_.SetMainCommandEnabled(!archive_path_.empty() && !folder_path_.empty());
}

ProgramLogic::Choice ProgramLogic::ChooseArchive(FileDialogRequest::Kind kind,
                                                 FileDialogOptions options) {
  const bool save = kind == FileDialogRequest::Kind::kSave;
  std::u16string chosen =
      file_dialog_.Show({kind, options, kPakFilter, save ? kPakExtension : u""});
  if (chosen.empty()) return Choice::kKept;
  SetArchivePath(std::move(chosen));
  return Choice::kChosen;
}

void ProgramLogic::SetArchivePath(std::u16string path) {
  archive_path_ = std::move(path);
  archive_caption_ = ShortenPath(archive_path_);
  view_.SetFileCaption(archive_caption_);
  view_.SetFileTip(archive_caption_ == archive_path_ ? std::u16string() : archive_path_);
}

ProgramLogic::Choice ProgramLogic::ChooseFolder(std::u16string_view title) {
  try {
    CBrowseForFolder browser(folder_backend_);
    browser.Init(folder_path_, view_.WindowHandle(), std::u16string(title),
                 static_cast<std::int32_t>(FolderDialogFlag::kReturnOnlyFileSystemFolders));
    // An empty path is no folder: working there would use whatever the working folder is.
    if (!browser.Browse() || browser.SelectedPath().empty()) return Choice::kKept;
    folder_path_ = browser.SelectedPath();
    folder_caption_ = ShortenPath(folder_path_);
    view_.SetDirCaption(folder_caption_);
    view_.SetDirTip(folder_caption_ == folder_path_ ? std::u16string() : folder_path_);
    return Choice::kChosen;
  } catch (const BrowseError& error) {
    Show(ErrorText(error.number(), error.description()), ProgramTitle(program_));
    return Choice::kFailed;
  }
}

void ProgramLogic::Report(const pak::Status& status) {
  const std::u16string message = pak::FromUtf8(status.message());
  if (status.kind() == pak::Status::Kind::kIoError) {
    Show(ErrorText(status.error_number(), message), ProgramTitle(program_));
  } else {
    Show(message, ProgramTitle(program_));
  }
}

void ProgramLogic::Show(std::u16string_view text, std::u16string_view title) {
  message_box_.Show(std::u16string(text), std::u16string(title));
}

}  // namespace shell

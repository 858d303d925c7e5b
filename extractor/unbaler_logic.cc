#include "extractor/unbaler_logic.h"

#include <algorithm>
#include <utility>

#include "codec/workflow.h"
#include "shell/error_text.h"
#include "shell/path_display.h"

namespace extractor {
namespace {


// lstFiles sorts its items for the eye only; the table, FilesList.txt and the extraction keep
// the archive's order.
std::vector<std::u16string> DisplayOrder(const pak::PakArchive& archive) {
  std::vector<std::u16string> names;
  names.reserve(archive.size());
  for (const pak::PakEntry& entry : archive.entries()) names.push_back(entry.Name);
  std::stable_sort(names.begin(), names.end(),
                   [](const auto& a, const auto& b) { return pak::LessIgnoreCase(a, b); });
  return names;
}

}  // namespace

UnbalerLogic::UnbalerLogic(shell::MainView& view, shell::FileDialog& file_dialog,
                           shell::MessageBox& message_box,
                           shell::FolderDialogBackend& folder_backend, pak::FileSystem& fs,
                           const pak::CodePage& code_page)
    : view_(view),
      file_dialog_(file_dialog),
      message_box_(message_box),
      folder_backend_(folder_backend),
      fs_(fs),
      code_page_(code_page) {}

void UnbalerLogic::OnLoaded() { UpdateExtractButton(); }

void UnbalerLogic::OnSelectFile() {
  shell::FileDialogRequest request;
  request.kind = shell::FileDialogRequest::Kind::kOpen;
  request.flags = shell::OFN_FILEMUSTEXIST;
  request.filter = kArchiveFilter;
  std::u16string chosen = file_dialog_.Show(request);
  if (chosen.empty()) return;  // cancelled: nothing changes

  // The label shows the chosen file before it is examined, so after a rejected file it names
  // that file while the list still holds the archive accepted before it.
  archive_path_ = std::move(chosen);
  archive_caption_ = shell::ShortenPath(archive_path_);
  view_.SetFileCaption(archive_caption_);

  LoadArchive();
  UpdateExtractButton();
}

void UnbalerLogic::LoadArchive() {
  pak::Status failure;
  {
    shell::BusyCursor busy(view_);
    pak::Result<pak::PakArchive> loaded = pak::LoadPakFile(fs_, pak::Path(archive_path_));
    if (loaded.ok()) {
      archive_ = std::move(loaded).value();
      list_items_ = DisplayOrder(*archive_);
      view_.SetListItems(list_items_);
    } else {
      failure = loaded.status();
    }
  }
  // The box comes after the busy cursor is gone: the user has to read it.
  if (!failure.ok()) Report(failure);
}

void UnbalerLogic::OnSelectDir() {
  try {
    shell::CBrowseForFolder browser(folder_backend_);
    browser.Init(folder_path_, view_.WindowHandle(), kBrowseTitle, shell::BIF_RETURNONLYFSDIRS);
    // An empty path is no folder: extracting there would write into whatever the working folder
    // happens to be.
    if (browser.Browse() && !browser.SelectedPath().empty()) {
      folder_path_ = browser.SelectedPath();
      folder_caption_ = shell::ShortenPath(folder_path_);
      view_.SetDirCaption(folder_caption_);
    }
  } catch (const shell::BrowseError& error) {
    message_box_.Show(shell::ErrorText(error.number(), error.description()), kTitle);
  }
  UpdateExtractButton();
}

void UnbalerLogic::UpdateExtractButton() {
  view_.SetMainCommandEnabled(!archive_path_.empty() && !folder_path_.empty());
}

void UnbalerLogic::OnMainCommand() { ExtractAll(); }

void UnbalerLogic::ExtractAll() {
  // The command is disabled without both paths; a stray call does nothing.
  if (archive_path_.empty() || folder_path_.empty()) return;
  if (!archive_.has_value()) {
    message_box_.Show(kNoArchiveLoaded, kTitle);
    return;
  }
  pak::Status status;
  {
    shell::BusyCursor busy(view_);
    status = pak::ExtractAll(fs_, *archive_, pak::Path(folder_path_), code_page_);
  }
  if (!status.ok()) Report(status);
}

void UnbalerLogic::Report(const pak::Status& status) {
  const std::u16string message = pak::FromUtf8(status.message());
  if (status.kind() == pak::Status::Kind::kIoError) {
    message_box_.Show(shell::ErrorText(status.error_number(), message), kTitle);
  } else {
    message_box_.Show(message, kTitle);
  }
}

}  // namespace extractor

#include "extractor/unbaler_logic.h"

#include <algorithm>
#include <utility>

#include "codec/workflow.h"

namespace extractor {
namespace {

// lstFiles sorts its items for the eye only; the table, FilesList.txt and the extraction keep
// the archive's order.
std::vector<std::u16string> DisplayOrder(const pak::PakArchive& archive) {
  std::vector<std::u16string> names;
  names.reserve(archive.size());
  for (const pak::PakEntry& entry : archive.entries()) names.push_back(entry.name);
  std::stable_sort(names.begin(), names.end(),
                   [](const auto& a, const auto& b) { return pak::LessIgnoreCase(a, b); });
  return names;
}

}  // namespace

UnbalerLogic::UnbalerLogic(shell::MainView& view, shell::FileDialog& file_dialog,
                           shell::MessageBox& message_box,
                           shell::FolderDialogBackend& folder_backend, pak::FileSystem& fs,
                           const pak::CodePage& code_page)
    : ProgramLogic(shell::Program::kUnbaler, view, file_dialog, message_box, folder_backend, fs,
                   code_page) {}

void UnbalerLogic::OnSelectFile() {
  // The label shows the chosen file before it is examined, so after a rejected file it names
  // that file while the list still holds the archive accepted before it.
  if (ChooseArchive(shell::FileDialogRequest::Kind::kOpen, {.file_must_exist = true}) !=
      Choice::kChosen) {
    return;  // cancelled: nothing changes
  }
  LoadArchive();
  UpdateExtractButton();
}

void UnbalerLogic::LoadArchive() {
  pak::Status failure;
  {
    shell::BusyCursor busy(view_);
    pak::Result<pak::PakArchive> loaded = pak::LoadPakFile(fs_, pak::Path(archive_path()));
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
  ChooseFolder(kBrowseTitle);
  UpdateExtractButton();
}

void UnbalerLogic::ExtractAll() {
  // The command is disabled without both paths; a stray call does nothing.
  if (archive_path().empty() || folder_path().empty()) return;
  if (!archive_.has_value()) {
    Show(kNoArchiveLoaded, kTitle);
    return;
  }
  pak::Status status;
  {
    shell::BusyCursor busy(view_);
    status = pak::ExtractAll(fs_, *archive_, pak::Path(folder_path()), code_page_);
  }
  if (!status.ok()) Report(status);
}

}  // namespace extractor

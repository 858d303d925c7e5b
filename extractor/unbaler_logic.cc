#include "extractor/unbaler_logic.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "codec/text.h"
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
  // The archive path is the listed archive's, or empty when none is listed.
  std::u16string listed_path = archive_path();
  if (ChooseArchive(shell::FileDialogRequest::Kind::kOpen,
                    {.hide_read_only = true, .file_must_exist = true}) != Choice::kChosen) {
    return;  // cancelled: nothing changes
  }
  // The label shows the chosen file while it is read; a rejected file gives it back to the
  // archive that is still listed, which is what the extract command would write.
  if (!LoadArchive()) SetArchivePath(std::move(listed_path));
  UpdateExtractButton();
}

bool UnbalerLogic::LoadArchive() {
  pak::Status failure;
  {
    shell::BusyCursor busy(view_);
    const pak::Path path(archive_path());
    // Taken before the file is opened: a change while it is read shows at the next check.
    std::optional<pak::FileStamp> stamp = fs_.Stamp(path);
    pak::Result<pak::PakArchive> opened = pak::OpenPakFile(fs_, path);
    if (opened.ok()) {
      List(*opened, stamp);
    } else {
      failure = opened.status();
    }
  }
  // The box comes after the busy cursor is gone: the user has to read it.
  if (failure.ok()) return true;
  ReportLoadFailure(failure);
  return false;
}

void UnbalerLogic::List(const pak::PakArchive& archive, std::optional<pak::FileStamp> stamp) {
  listed_ = Listed{stamp, archive.size()};
  list_items_ = DisplayOrder(archive);
  view_.SetListItems(list_items_);
}

void UnbalerLogic::ReportLoadFailure(const pak::Status& status) {
  if (status.kind() != pak::Status::Kind::kInvalidArchive) {
    Report(status);
    return;
  }
  // The codec's message starts with "Invalid file"; what follows its ": " is the fault.
  std::u16string reason = pak::FromUtf8(status.message());
  const std::u16string_view head = u"Invalid file";
  if (reason.starts_with(head)) reason.erase(0, head.size());
  if (reason.starts_with(u": ")) reason.erase(0, 2);
  if (reason.empty()) reason = kNotAnArchive;
  Show(std::u16string(head) + u"\n\n" + archive_path() + u"\n" + reason, kTitle);
}

void UnbalerLogic::OnSelectDir() {
  ChooseFolder(kBrowseTitle);
  UpdateExtractButton();
}

void UnbalerLogic::ExtractAll(const pak::Progress& progress) {
  // The command is disabled without both paths; a stray call does nothing.
  if (archive_path().empty() || folder_path().empty()) return;
  if (!listed_.has_value()) {
    Show(kNoArchiveLoaded, kTitle);
    return;
  }
  pak::Status status;
  bool changed = false;
  {
    shell::BusyCursor busy(view_);
    const pak::Path path(archive_path());
    // The file is opened between two looks at its stamp: when both match the stamp it was
    // listed with, the file opened is the one listed, unchanged.
    const std::optional<pak::FileStamp> before = fs_.Stamp(path);
    pak::Result<pak::PakArchive> opened = pak::OpenPakFile(fs_, path);
    const std::optional<pak::FileStamp> after = fs_.Stamp(path);
    if (!opened.ok()) {
      status = opened.status();
    } else if (before != listed_->stamp || after != listed_->stamp) {
      List(*opened, before);
      changed = true;
    } else {
      status = pak::ExtractAll(fs_, *opened, pak::Path(folder_path()), code_page_,
                               pak::HostNameRules(), progress);
    }
  }
  if (changed) {
    Show(kArchiveChanged, kTitle);
  } else if (status.kind() == pak::Status::Kind::kInvalidArchive) {
    ReportLoadFailure(status);
  } else if (!status.ok()) {
    Report(status);
  }
}

}  // namespace extractor

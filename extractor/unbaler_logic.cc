#include "extractor/unbaler_logic.h"

#include <algorithm>
#include <memory>
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
  if (Working()) return;
  SetStatus(u"");
  // Cancelled: nothing changes.
  ChooseArchive(shell::FileDialogRequest::Kind::kOpen,
                {.hide_read_only = true, .file_must_exist = true});
}

void UnbalerLogic::ArchiveChosen(std::u16string path) {
  // The archive path is the listed archive's, or empty when none is listed.
  std::u16string listed_path = archive_path();
  // The label shows the chosen file while it is read; a rejected file gives it back to the
  // archive that is still listed, which is what the extract command would write.
  SetArchivePath(std::move(path));
  LoadArchive(std::move(listed_path));
}

void UnbalerLogic::FolderChosen(std::u16string path) {
  SetFolderPath(std::move(path));
  UpdateExtractButton();
}

void UnbalerLogic::LoadArchive(std::u16string listed_path) {
  struct Loaded {
    std::optional<pak::FileStamp> stamp;
    std::optional<pak::PakArchive> archive;
  };
  auto loaded = std::make_shared<Loaded>();
  pak::FileSystem& fs = fs_;
  RunWork(
      u"Reading",
      [&fs, loaded, path = pak::Path(archive_path())](const pak::Progress&, const pak::StopFlag&) {
        // Taken before the file is opened: a change while it is read shows at the next check.
        loaded->stamp = fs.Stamp(path);
        pak::Result<pak::PakArchive> opened = pak::OpenPakFile(fs, path);
        if (!opened.ok()) return opened.status();
        loaded->archive = std::move(opened).value();
        return pak::Status::Ok();
      },
      [this, loaded, listed_path = std::move(listed_path)](const pak::Status& status,
                                                           std::size_t) mutable {
        if (status.ok()) {
          List(*loaded->archive, loaded->stamp);
          loaded->archive.reset();  // nothing of the file stays open once it is listed
        } else {
          ReportLoadFailure(status);
          SetArchivePath(std::move(listed_path));
        }
        UpdateExtractButton();
      });
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
  if (Working()) return;
  SetStatus(u"");
  ChooseFolder(kBrowseTitle);
  UpdateExtractButton();
}

void UnbalerLogic::ExtractAll(const pak::Progress& progress) {
  // The command is disabled without both paths or while work runs; a stray call does nothing.
  if (Working() || archive_path().empty() || folder_path().empty()) return;
  SetStatus(u"");
  if (!listed_.has_value()) {
    Show(kNoArchiveLoaded, kTitle);
    return;
  }
  struct Outcome {
    std::optional<pak::PakArchive> changed;  // the archive read again, when it changed
    std::optional<pak::FileStamp> stamp;
  };
  auto outcome = std::make_shared<Outcome>();
  pak::FileSystem& fs = fs_;
  RunWork(
      u"Extracting",
      [&fs, outcome, listed = listed_->stamp, path = pak::Path(archive_path()),
       folder = pak::Path(folder_path()), &code_page = code_page_,
       progress](const pak::Progress& post, const pak::StopFlag& stop) {
        // The file is opened between two looks at its stamp: when both match the stamp it was
        // listed with, the file opened is the one listed, unchanged.
        const std::optional<pak::FileStamp> before = fs.Stamp(path);
        pak::Result<pak::PakArchive> opened = pak::OpenPakFile(fs, path);
        const std::optional<pak::FileStamp> after = fs.Stamp(path);
        if (!opened.ok()) return opened.status();
        if (before != listed || after != listed) {
          outcome->changed = std::move(opened).value();
          outcome->stamp = before;
          return pak::Status::Ok();
        }
        const auto each = [&](std::size_t done, std::size_t total) {
          post(done, total);
          if (progress) progress(done, total);
        };
        return pak::ExtractAll(fs, *opened, folder, code_page, pak::HostNameRules(), each, &stop);
      },
      [this, outcome](const pak::Status& status, std::size_t done) {
        if (outcome->changed) {
          List(*outcome->changed, outcome->stamp);
          outcome->changed.reset();
          Show(kArchiveChanged, kTitle);
        } else if (status.ok()) {
          SetStatus(shell::CountText(done, u"file", u"files") + u" extracted into " +
                    folder_path());
        } else if (status.kind() == pak::Status::Kind::kCancelled) {
          SetStatus(u"Extraction stopped: " + shell::CountText(done, u"file", u"files") +
                    u" extracted into " + folder_path());
        } else if (status.kind() == pak::Status::Kind::kInvalidArchive) {
          ReportLoadFailure(status);
        } else {
          Report(status);
        }
      });
}

}  // namespace extractor

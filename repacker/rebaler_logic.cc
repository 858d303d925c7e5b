#include "repacker/rebaler_logic.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "codec/text.h"

namespace repacker {

RebalerLogic::RebalerLogic(shell::MainView& view, shell::FileDialog& file_dialog,
                           shell::MessageBox& message_box,
                           shell::FolderDialogBackend& folder_backend,
                           DifferenceDialogFactory dialog_factory, pak::FileSystem& fs,
                           const pak::CodePage& code_page)
    : ProgramLogic(shell::Program::kRebaler, view, file_dialog, message_box, folder_backend, fs,
                   code_page),
      dialog_factory_(std::move(dialog_factory)) {}

void RebalerLogic::OnSelectFile() {
  if (Working()) return;
  SetStatus(u"");
  ChooseArchive(shell::FileDialogRequest::Kind::kSave,
                {.overwrite_prompt = true, .hide_read_only = true, .path_must_exist = true});
}

void RebalerLogic::OnSelectDir() {
  if (Working()) return;
  SetStatus(u"");
  const Choice choice = ChooseFolder(kFolderDialogTitle);
  if (choice != Choice::kKept) return;
  // After a cancel too: files added or removed meanwhile are picked up.
  ScanFolder();
  UpdateRepackButton();
}

void RebalerLogic::ArchiveChosen(std::u16string path) {
  // Only a place to write to: the file is neither opened nor read here.
  SetArchivePath(std::move(path));
  UpdateRepackButton();
}

void RebalerLogic::FolderChosen(std::u16string path) {
  SetFolderPath(std::move(path));
  ScanFolder();
  UpdateRepackButton();
}

std::u16string RebalerLogic::CheckArchiveArgument(std::u16string& path) {
  // As the save dialog does: ".pak" goes after a name typed without an extension, and the
  // archive's folder must exist.
  pak::Path native = pak::PathFromUtf16(path);
  if (!native.has_extension()) {
    path += u".";
    path += shell::kPakExtension;
    native = pak::PathFromUtf16(path);
  }
  if (std::u16string refusal = ProgramLogic::CheckArchiveArgument(path); !refusal.empty()) {
    return refusal;
  }
  const pak::Path folder = native.parent_path();
  if (!fs_.IsDirectory(folder)) return shell::RefusalText(shell::kNoSuchFolder, folder.u16string());
  return {};
}

std::u16string LeftOutText(const std::vector<pak::LeftOutFile>& left_out) {
  constexpr std::size_t kShown = 20;
  std::u16string text;
  for (std::size_t i = 0; i < left_out.size() && i < kShown; ++i) {
    if (!text.empty()) text += u"\n";
    text += pak::FromUtf8(pak::LeftOutNote(left_out[i]));
  }
  if (left_out.size() > kShown) {
    text += u"\n" + shell::CountText(left_out.size() - kShown, u"more file", u"more files") +
            u" not packed";
  }
  return text;
}

void RebalerLogic::ScanFolder() { Scan(nullptr); }

void RebalerLogic::Scan(Scanned scanned) {
  if (folder_path().empty()) {
    scan_ = pak::FolderScan();
    view_.SetListItems(scan_.files);
    return;
  }
  struct Read {
    pak::FolderScan scan;
    pak::NameDifference diff;
  };
  auto read = std::make_shared<Read>();
  const bool compare = static_cast<bool>(scanned);
  pak::FileSystem& fs = fs_;
  RunWork(
      u"Reading",
      [&fs, read, folder = pak::Path(folder_path()), &code_page = code_page_, compare](
          const pak::Progress&, const pak::StopFlag& stop) {
        auto scan = pak::ScanFolder(fs, folder, code_page, &stop);
        if (!scan.ok()) return scan.status();
        read->scan = std::move(scan).value();
        if (compare) read->diff = pak::CompareNames(read->scan);
        return pak::Status::Ok();
      },
      [this, read, scanned = std::move(scanned)](const pak::Status& status, std::size_t) {
        const bool stopped = status.kind() == pak::Status::Kind::kCancelled || StopAsked();
        // A repack stopped before its pack leaves the window as it was.
        if (scanned && stopped) return;
        // A half-read folder is never shown: the list stays empty.
        pak::FolderScan scan = status.ok() && !stopped ? std::move(read->scan) : pak::FolderScan();
        // A repack of a folder that has not changed keeps the list as it is (and where it was
        // scrolled to): filling a long one again would hold up the window for nothing.
        const bool refill = !scanned || scan.files != scan_.files;
        scan_ = std::move(scan);
        if (refill) view_.SetListItems(scan_.files);
        if (!status.ok() && !stopped) {
          Report(status);
          return;
        }
        if (scanned) scanned(read->diff);
      });
}

void RebalerLogic::OnOpenItem(std::size_t index) {
  if (Working() || index >= scan_.files.size()) return;
  // The folder may be a stranger's archive unpacked: its files open as the archive's entries do.
  if (!MayOpen(scan_.files[index])) return;
  const pak::Path file = pak::JoinPath(pak::Path(folder_path()), scan_.files[index]);
  // The list shows the folder as it was scanned; the file may have gone since.
  if (!fs_.IsFile(file)) {
    Show(pak::FromUtf8(pak::DisplayPath(file)) + u"\n\nThe file is no longer in the folder.",
         kTitle);
    return;
  }
  Launch(file, scan_.files[index]);
}

void RebalerLogic::RepackAll(const pak::Progress& progress) {
  // The command is disabled without both paths; a stray call does nothing.
  if (Working() || archive_path().empty() || folder_path().empty()) return;
  SetStatus(u"");

  // The folder as it is now, not as it was when it was chosen: a file added meanwhile is packed
  // (and confirmed like any other), a file deleted meanwhile is not looked for.
  Scan([this, progress](const pak::NameDifference& diff) {
    // Links out of the folder are refused before anything else is asked.
    if (const pak::Status links = pak::CheckFolderLinks(scan_); !links.ok()) {
      Report(links);
      return;
    }
    // The dialog shows the names escaped, so that none can hide what it is.
    const auto shown = [](const std::vector<std::u16string>& names) {
      std::vector<std::u16string> out;
      out.reserve(names.size());
      for (const auto& name : names) out.push_back(pak::DisplayName(name));
      return out;
    };
    if (diff.needs_confirmation &&
        dialog_factory_()->ShowDiff(shown(diff.added), shown(diff.deleted)) ==
            DiffAnswer::kCancel) {
      Show(kCanceledText, kCanceledTitle);
      return;
    }
    Pack(progress);
  });
}

void RebalerLogic::Pack(const pak::Progress& progress) {
  pak::FileSystem& fs = fs_;
  RunWork(
      u"Packing",
      [&fs, folder = pak::Path(folder_path()), files = scan_.files,
       archive = pak::Path(archive_path()),
       progress](const pak::Progress& post, const pak::StopFlag& stop) {
        const auto each = [&](std::size_t done, std::size_t total) {
          post(done, total);
          if (progress) progress(done, total);
        };
        return pak::PackFolder(fs, folder, files, archive, each, false, &stop);
      },
      [this, left_out = scan_.left_out](const pak::Status& status, std::size_t done) {
        if (status.ok()) {
          const std::optional<pak::FileStamp> stamp = fs_.Stamp(pak::Path(archive_path()));
          std::u16string text =
              shell::CountText(done, u"file", u"files") + u" packed into " + archive_path();
          if (stamp) text += u" (" + shell::SizeText(stamp->size) + u")";
          SetStatus(std::move(text));
          // What the archive lacks, once it is written.
          if (!left_out.empty()) Show(LeftOutText(left_out), kTitle);
        } else if (status.kind() == pak::Status::Kind::kCancelled) {
          SetStatus(u"Packing stopped: " + archive_path() + u" was left as it was");
        } else {
          Report(status);
        }
      });
}

}  // namespace repacker

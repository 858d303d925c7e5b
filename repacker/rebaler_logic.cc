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
    text += u"\n" + shell::CountText(left_out.size() - kShown, kOneMoreText, kMoreText);
  }
  return text;
}

void RebalerLogic::ScanFolder() { Scan(nullptr); }

// Scans the folder path on the worker, and for a repack compares the files with FilesList.txt
// there too; on the window's thread lists what was read and hands a repack its difference.
class RebalerLogic::ScanJob : public shell::Job {
 public:
  ScanJob(RebalerLogic& logic, Scanned scanned)
      : logic_(logic),
        fs_(logic.fs_),
        code_page_(logic.code_page_),
        folder_(logic.folder_path()),
        scanned_(std::move(scanned)) {}

  pak::Status Run(const pak::Progress&, const pak::StopFlag& stop) override {
    auto scan = pak::ScanFolder(fs_, folder_, code_page_, &stop);
    if (!scan.ok()) return scan.status();
    scan_ = std::move(scan).value();
    if (scanned_) diff_ = pak::CompareNames(scan_);
    // The sizes lstFiles shows; a file that cannot be looked at meanwhile shows none.
    entries_.reserve(scan_.files.size());
    for (const std::u16string& name : scan_.files) {
      const std::optional<pak::FileStamp> stamp = fs_.Stamp(pak::JoinPath(folder_, name));
      entries_.push_back({name, stamp ? stamp->size : 0});
    }
    return pak::Status::Ok();
  }

  void Finish(const pak::Status& status, std::size_t) override {
    const bool stopped = status.kind() == pak::Status::Kind::kCancelled || logic_.StopAsked();
    // A repack stopped before its pack leaves the window as it was.
    if (scanned_ && stopped) return;
    // A half-read folder is never shown: the list stays empty.
    const bool whole = status.ok() && !stopped;
    pak::FolderScan scan = whole ? std::move(scan_) : pak::FolderScan();
    if (!whole) entries_.clear();
    // A repack of a folder that has not changed keeps the list as it is (and where it was
    // scrolled to): filling a long one again would hold up the window for nothing.
    const bool refill = !scanned_ || entries_ != logic_.list().entries();
    logic_.scan_ = std::move(scan);
    if (refill) logic_.ListEntries(std::move(entries_));
    if (!status.ok() && !stopped) {
      logic_.Report(status);
      return;
    }
    if (scanned_) scanned_(diff_);
  }

 private:
  RebalerLogic& logic_;  // on the window's thread only
  pak::FileSystem& fs_;
  const pak::CodePage& code_page_;
  const pak::Path folder_;
  const Scanned scanned_;
  pak::FolderScan scan_;
  std::vector<shell::ListEntry> entries_;  // the files of scan_ with their sizes
  pak::NameDifference diff_;
};

void RebalerLogic::Scan(Scanned scanned) {
  if (folder_path().empty()) {
    scan_ = pak::FolderScan();
    ListEntries({});
    return;
  }
  RunWork(shell::kReadingText, std::make_unique<ScanJob>(*this, std::move(scanned)));
}

std::vector<shell::ListMenuItem> RebalerLogic::ListMenu() { return SortMenu(false); }

void RebalerLogic::OnOpenItem(std::size_t index) {
  if (Working() || index >= list().rows().size()) return;
  const std::u16string name = list().row(index).name;
  // The folder may be a stranger's archive unpacked: its files open as the archive's entries do.
  if (!MayOpen(name)) return;
  const pak::Path file = pak::JoinPath(pak::Path(folder_path()), name);
  // The list shows the folder as it was scanned; the file may have gone since.
  if (!fs_.IsFile(file)) {
    Show(shell::Arg(shell::Tr(kFileGoneText), {pak::FromUtf8(pak::DisplayPath(file))}), kTitle);
    return;
  }
  Launch(file, name);
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
      Show(shell::Tr(kCanceledText), shell::Tr(kCanceledTitle));
      return;
    }
    Pack(progress);
  });
}

// Packs the files of the last scan into the archive path on the worker; on the window's thread
// says what was packed, or that nothing was, and names the files the archive lacks.
class RebalerLogic::PackJob : public shell::Job {
 public:
  PackJob(RebalerLogic& logic, pak::Progress progress)
      : logic_(logic),
        fs_(logic.fs_),
        folder_(logic.folder_path()),
        files_(logic.scan_.files),
        archive_(logic.archive_path()),
        left_out_(logic.scan_.left_out),
        progress_(std::move(progress)) {}

  pak::Status Run(const pak::Progress& post, const pak::StopFlag& stop) override {
    const auto each = [&](const pak::ProgressCount& count) {
      post(count);
      if (progress_) progress_(count);
    };
    return pak::PackFolder(fs_, folder_, files_, archive_, each, false, &stop);
  }

  void Finish(const pak::Status& status, std::size_t done) override {
    if (status.ok()) {
      const std::optional<pak::FileStamp> stamp = fs_.Stamp(pak::Path(logic_.archive_path()));
      const std::u16string files = shell::CountText(done, shell::kOneFile, shell::kFiles);
      std::u16string text =
          stamp ? shell::Arg(shell::Tr(kPackedSizeText),
                             {files, logic_.archive_path(), shell::SizeText(stamp->size)})
                : shell::Arg(shell::Tr(kPackedText), {files, logic_.archive_path()});
      logic_.SetStatus(std::move(text));
      // What the archive lacks, once it is written.
      if (!left_out_.empty()) logic_.Show(LeftOutText(left_out_), kTitle);
    } else if (status.kind() == pak::Status::Kind::kCancelled) {
      logic_.SetStatus(shell::Arg(shell::Tr(kPackingStoppedText), {logic_.archive_path()}));
    } else {
      logic_.Report(status);
    }
  }

 private:
  RebalerLogic& logic_;  // on the window's thread only
  pak::FileSystem& fs_;
  const pak::Path folder_;
  const std::vector<std::u16string> files_;
  const pak::Path archive_;
  const std::vector<pak::LeftOutFile> left_out_;
  const pak::Progress progress_;
};

void RebalerLogic::Pack(const pak::Progress& progress) {
  RunWork(kPackingText, std::make_unique<PackJob>(*this, progress));
}

}  // namespace repacker

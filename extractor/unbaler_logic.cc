#include "extractor/unbaler_logic.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "codec/edit.h"
#include "codec/text.h"
#include "codec/workflow.h"
#include "shell/opening.h"

namespace extractor {
namespace {

// `text` with every `mark` replaced by `value`.
std::u16string Replaced(std::u16string text, std::u16string_view mark, std::u16string_view value) {
  for (std::size_t at = text.find(mark); at != std::u16string::npos;
       at = text.find(mark, at + value.size())) {
    text.replace(at, mark.size(), value);
  }
  return text;
}

std::u16string Number(std::size_t n) { return pak::FromUtf8(std::to_string(n)); }

}  // namespace

std::u16string ChangedFilesText(std::u16string_view folder,
                                const std::vector<std::u16string>& names) {
  // A box must stay readable: a few names show what is at stake, the count the rest.
  constexpr std::size_t kShown = 5;
  std::u16string shown;
  for (std::size_t k = 0; k < names.size() && k < kShown; ++k) {
    if (k > 0) shown += u", ";
    shown += pak::DisplayName(names[k]);
  }
  if (names.size() > kShown)
    shown += u", " +
             Replaced(std::u16string(shell::Tr(kMoreNames)), u"%1", Number(names.size() - kShown));
  std::u16string text(shell::Tr(names.size() == 1 ? kChangedFileQuestion : kChangedFilesQuestion));
  // The names last: a name may hold "%".
  text = Replaced(std::move(text), u"%1", Number(names.size()));
  text = Replaced(std::move(text), u"%2", folder);
  return Replaced(std::move(text), u"%3", shown);
}

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

// Reads the directory of the archive path on the worker; lists it on the window's thread, or
// reports the failure and gives the archive path back to the archive still listed.
class UnbalerLogic::ReadJob : public shell::Job {
 public:
  ReadJob(UnbalerLogic& logic, std::u16string listed_path)
      : logic_(logic),
        fs_(logic.fs_),
        path_(logic.archive_path()),
        listed_path_(std::move(listed_path)) {}

  pak::Status Run(const pak::Progress&, const pak::StopFlag&) override {
    // Taken before the file is opened: a change while it is read shows at the next check.
    stamp_ = fs_.Stamp(path_);
    pak::Result<pak::PakArchive> opened = pak::OpenPakFile(fs_, path_);
    if (!opened.ok()) return opened.status();
    archive_ = std::move(opened).value();
    return pak::Status::Ok();
  }

  void Finish(const pak::Status& status, std::size_t) override {
    if (status.ok()) {
      logic_.List(*archive_, stamp_);
      archive_.reset();  // nothing of the file stays open once it is listed
    } else {
      logic_.ReportLoadFailure(status);
      logic_.SetArchivePath(std::move(listed_path_));
    }
    logic_.UpdateExtractButton();
  }

 private:
  UnbalerLogic& logic_;  // on the window's thread only
  pak::FileSystem& fs_;
  const pak::Path path_;
  std::u16string listed_path_;
  std::optional<pak::FileStamp> stamp_;
  std::optional<pak::PakArchive> archive_;
};

void UnbalerLogic::LoadArchive(std::u16string listed_path) {
  RunWork(shell::kReadingText, std::make_unique<ReadJob>(*this, std::move(listed_path)));
}

void UnbalerLogic::List(const pak::PakArchive& archive, std::optional<pak::FileStamp> stamp) {
  listed_ = Listed{stamp, archive.size()};
  // The list sorts its rows for the eye only; the table, FilesList.txt and the extraction keep
  // the archive's order.
  std::vector<shell::ListEntry> entries;
  entries.reserve(archive.size());
  for (std::size_t i = 0; i < archive.size(); ++i) {
    entries.push_back({archive[i].name, static_cast<std::uint64_t>(archive[i].size)});
  }
  ListEntries(std::move(entries));
}

std::u16string UnbalerLogic::ItemText(const std::u16string& name) const {
  // Each name escaped, so that none can hide what it is; the list keeps the names themselves,
  // which name the files.
  return pak::DisplayName(name);
}

std::vector<std::u16string> UnbalerLogic::list_items() const {
  std::vector<std::u16string> names;
  for (std::size_t i = 0; i < list().rows().size(); ++i) names.push_back(list().row(i).name);
  return names;
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
  if (reason.empty()) reason = shell::Tr(kNotAnArchive);
  Show(std::u16string(shell::Tr(kInvalidFileText)) + u"\n\n" + archive_path() + u"\n" + reason,
       kTitle);
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
    Show(shell::Tr(kNoArchiveLoaded), kTitle);
    return;
  }
  std::vector<std::size_t> every(listed_->entries);
  for (std::size_t i = 0; i < every.size(); ++i) every[i] = i;
  std::optional<std::vector<std::size_t>> kept = KeptEntries(every);
  if (!kept) return;
  Extract(
      kExtractingText, pak::Path(folder_path()), std::nullopt, progress,
      [this](const pak::Status& status, std::size_t done) { ShowExtracted(status, done); },
      std::move(*kept));
}

void UnbalerLogic::ExtractSelected(const pak::Progress& progress) {
  if (Working() || !listed_.has_value() || archive_path().empty() || folder_path().empty()) {
    return;
  }
  std::vector<std::size_t> chosen = SelectedEntries();
  if (chosen.empty()) return;
  SetStatus(u"");
  std::optional<std::vector<std::size_t>> kept = KeptEntries(chosen);
  if (!kept) return;
  std::erase_if(chosen, [&](std::size_t entry) {
    return std::binary_search(kept->begin(), kept->end(), entry);
  });
  Extract(kExtractingText, pak::Path(folder_path()), std::move(chosen), progress,
          [this](const pak::Status& status, std::size_t done) { ShowExtracted(status, done); });
}

std::optional<std::vector<std::size_t>> UnbalerLogic::KeptEntries(
    const std::vector<std::size_t>& entries) {
  std::vector<std::u16string> names(entries.size());
  for (std::size_t k = 0; k < entries.size(); ++k) names[k] = list().entries()[entries[k]].name;
  const pak::Path folder(folder_path());
  pak::Result<std::vector<std::size_t>> changed =
      pak::ChangedSinceExtraction(fs_, folder, names, code_page_);
  if (!changed.ok()) {
    Report(changed.status());
    return std::nullopt;
  }
  std::vector<std::size_t> kept;
  if (changed->empty()) return kept;
  std::vector<std::u16string> changed_names;
  for (std::size_t position : *changed) {
    kept.push_back(entries[position]);
    changed_names.push_back(names[position]);
  }
  // Two entries of one name are one file, named once.
  std::vector<std::u16string> shown;
  std::unordered_set<std::u16string_view> seen;
  for (const auto& name : changed_names) {
    if (seen.insert(name).second) shown.push_back(name);
  }
  const std::optional<shell::ChoiceBox::Answer> answer =
      Ask({ChangedFilesText(folder_path(), shown), std::u16string(kTitle),
           std::u16string(shell::Tr(kReplaceText)), std::u16string(shell::Tr(kKeepMyFilesText)),
           std::u16string(shell::Tr(kCancelText))});
  if (answer == shell::ChoiceBox::Answer::kCancel) return std::nullopt;
  if (answer == shell::ChoiceBox::Answer::kFirst) kept.clear();
  return kept;
}

std::vector<std::size_t> UnbalerLogic::SelectedEntries() const {
  std::vector<std::size_t> entries;
  for (std::size_t item : view_.SelectedItems()) {
    if (item < list().rows().size()) entries.push_back(list().rows()[item]);
  }
  // Archive order, as a full extraction writes them: of two entries of one name the later wins.
  std::sort(entries.begin(), entries.end());
  entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
  return entries;
}

std::vector<shell::ListMenuItem> UnbalerLogic::ListMenu() {
  const bool can = !Working() && listed_.has_value();
  std::vector<shell::ListMenuItem> items = {
      {shell::ListCommand::kExtractSelected, shell::Tr(kExtractSelectedText),
       can && !SelectedEntries().empty()},
      {shell::ListCommand::kExtractAll, shell::Tr(kExtractAllText), can},
      {shell::ListCommand::kReplaceEntry, shell::Tr(kReplaceEntryText),
       can && SelectedEntries().size() == 1}};
  for (const shell::ListMenuItem& item : SortMenu(true)) items.push_back(item);
  return items;
}

void UnbalerLogic::OnListCommand(shell::ListCommand command) {
  if (command == shell::ListCommand::kReplaceEntry) {
    ReplaceEntry();
    return;
  }
  if (command != shell::ListCommand::kExtractSelected &&
      command != shell::ListCommand::kExtractAll) {
    ProgramLogic::OnListCommand(command);
    return;
  }
  if (Working() || !listed_.has_value()) return;
  // The selection is taken before the folder browser could change anything.
  if (command == shell::ListCommand::kExtractSelected && SelectedEntries().empty()) return;
  SetStatus(u"");
  if (command == shell::ListCommand::kExtractSelected) {
    // The dialog's ellipsis promises a folder dialog: it opens every time, at the chosen folder.
    const Choice choice = ChooseFolder(kBrowseTitle);
    UpdateExtractButton();
    if (choice == Choice::kChosen) ExtractSelected();
    return;
  }
  if (HaveFolder()) ExtractAll();
}

bool UnbalerLogic::HaveFolder() {
  if (!folder_path().empty()) return true;
  const Choice choice = ChooseFolder(kBrowseTitle);
  UpdateExtractButton();
  return choice == Choice::kChosen;
}

void UnbalerLogic::OnOpenItem(std::size_t index) {
  if (Working() || !listed_.has_value() || index >= list().rows().size()) return;
  SetStatus(u"");
  const std::u16string name = list().row(index).name;
  // Refused before anything is copied out.
  if (!MayOpen(name)) return;
  pak::Result<pak::Path> folder = opened_.NewSubfolder();
  if (!folder.ok()) {
    Report(folder.status());
    return;
  }
  const pak::Path file = pak::JoinPath(*folder, name);
  Extract(kOpeningText, *folder, std::vector<std::size_t>{list().rows()[index]}, {},
          [this, file, name](const pak::Status& status, std::size_t) {
            if (!status.ok()) return;
            // A copy that cannot be marked still opens: its kind is one that only reads data,
            // and volumes without streams (FAT, Wine) would otherwise open nothing at all.
            shell::MarkAsDownloaded(file);
            Launch(file, name);
          });
}

std::vector<std::u16string> UnbalerLogic::OnDragOut() {
  const std::vector<std::size_t> chosen = SelectedEntries();
  if (Working() || !listed_.has_value() || chosen.empty()) return {};
  shell::BusyCursor busy(view_);
  const pak::Path path = pak::PathFromUtf16(archive_path());
  // As an extraction does: the file opened between two looks at its stamp is the one listed.
  const std::optional<pak::FileStamp> before = fs_.Stamp(path);
  pak::Result<pak::PakArchive> archive = pak::OpenPakFile(fs_, path);
  if (!archive.ok()) {
    Report(archive.status());
    return {};
  }
  if (before != listed_->stamp || fs_.Stamp(path) != listed_->stamp) {
    Show(shell::Tr(kArchiveChanged), kTitle);
    return {};
  }
  pak::Result<pak::Path> folder = opened_.NewSubfolder();
  if (!folder.ok()) {
    Report(folder.status());
    return {};
  }
  const pak::Status status =
      pak::ExtractSelected(fs_, *archive, *folder, chosen, pak::HostNameRules());
  if (!status.ok()) {
    Report(status);
    return {};
  }
  // Two entries of one name are one file, named once.
  std::vector<std::u16string> files;
  for (std::size_t index : chosen) {
    const pak::Path file = pak::JoinPath(*folder, (*archive)[index].name);
    std::u16string name = file.u16string();
    if (std::find(files.begin(), files.end(), name) != files.end()) continue;
    shell::MarkAsDownloaded(file);
    files.push_back(std::move(name));
  }
  return files;
}

void UnbalerLogic::ShowExtracted(const pak::Status& status, std::size_t done) {
  const std::u16string files = shell::CountText(done, shell::kOneFile, shell::kFiles);
  SetStatus(shell::Arg(shell::Tr(status.ok() ? kExtractedText : kExtractionStoppedText),
                       {files, folder_path()}));
  // The folder holds what was written: the line offers to show it.
  if (done > 0) OfferFolder(folder_path());
}

// Extracts entries of the listed archive on the worker, from its file once that is found to be
// the one listed; on the window's thread lists a changed file again, reports a failure, or hands
// a success or a stop to what the caller wanted done then.
class UnbalerLogic::ExtractJob : public shell::Job {
 public:
  ExtractJob(UnbalerLogic& logic, pak::Path folder, std::optional<std::vector<std::size_t>> chosen,
             pak::Progress progress, Extracted extracted, std::vector<std::size_t> kept)
      : logic_(logic),
        fs_(logic.fs_),
        code_page_(logic.code_page_),
        listed_(logic.listed_->stamp),
        path_(logic.archive_path()),
        folder_(std::move(folder)),
        chosen_(std::move(chosen)),
        progress_(std::move(progress)),
        extracted_(std::move(extracted)),
        kept_(std::move(kept)) {}

  pak::Status Run(const pak::Progress& post, const pak::StopFlag& stop) override {
    // The file is opened between two looks at its stamp: when both match the stamp it was
    // listed with, the file opened is the one listed, unchanged.
    const std::optional<pak::FileStamp> before = fs_.Stamp(path_);
    pak::Result<pak::PakArchive> opened = pak::OpenPakFile(fs_, path_);
    const std::optional<pak::FileStamp> after = fs_.Stamp(path_);
    if (!opened.ok()) return opened.status();
    if (before != listed_ || after != listed_) {
      changed_ = std::move(opened).value();
      changed_stamp_ = before;
      return pak::Status::Ok();
    }
    const auto each = [&](const pak::ProgressCount& count) {
      post(count);
      if (progress_) progress_(count);
    };
    if (chosen_) {
      return pak::ExtractSelected(fs_, *opened, folder_, *chosen_, pak::HostNameRules(), each,
                                  &stop);
    }
    return pak::ExtractAll(fs_, *opened, folder_, code_page_, pak::HostNameRules(), each, &stop,
                           kept_);
  }

  void Finish(const pak::Status& status, std::size_t done) override {
    if (changed_) {
      logic_.List(*changed_, changed_stamp_);
      changed_.reset();
      logic_.Show(shell::Tr(kArchiveChanged), kTitle);
    } else if (status.ok() || status.kind() == pak::Status::Kind::kCancelled) {
      extracted_(status, done);
    } else if (status.kind() == pak::Status::Kind::kInvalidArchive) {
      logic_.ReportLoadFailure(status);
    } else {
      logic_.Report(status);
    }
  }

 private:
  UnbalerLogic& logic_;  // on the window's thread only
  pak::FileSystem& fs_;
  const pak::CodePage& code_page_;
  const std::optional<pak::FileStamp> listed_;  // the stamp the archive was listed with
  const pak::Path path_;
  const pak::Path folder_;
  const std::optional<std::vector<std::size_t>> chosen_;
  const pak::Progress progress_;
  const Extracted extracted_;
  const std::vector<std::size_t> kept_;
  std::optional<pak::PakArchive> changed_;  // the archive read again, when it changed
  std::optional<pak::FileStamp> changed_stamp_;
};

void UnbalerLogic::Extract(std::u16string verb, pak::Path folder,
                           std::optional<std::vector<std::size_t>> chosen,
                           const pak::Progress& progress, Extracted extracted,
                           std::vector<std::size_t> kept) {
  RunWork(std::move(verb),
          std::make_unique<ExtractJob>(*this, std::move(folder), std::move(chosen), progress,
                                       std::move(extracted), std::move(kept)));
}

// Rewrites the archive with one entry's bytes taken from a file, on the worker, once its file is
// found to be the one listed; then reads it again, so that the list shows what it now holds.
class UnbalerLogic::ReplaceJob : public shell::Job {
 public:
  ReplaceJob(UnbalerLogic& logic, std::u16string entry, pak::Path file)
      : logic_(logic),
        fs_(logic.fs_),
        listed_(logic.listed_->stamp),
        path_(logic.archive_path()),
        entry_(std::move(entry)),
        file_(std::move(file)) {}

  pak::Status Run(const pak::Progress& post, const pak::StopFlag& stop) override {
    if (fs_.Stamp(path_) != listed_) {
      changed_ = true;
      return Reread();
    }
    pak::ArchiveEdit edit;
    edit.add = {file_};
    edit.add_as = {entry_};  // the entry keeps its name, whatever the file is called
    const pak::Result<pak::EditCounts> edited = pak::EditArchive(fs_, path_, edit, post, &stop);
    if (!edited.ok()) return edited.status();
    return Reread();
  }

  void Finish(const pak::Status& status, std::size_t) override {
    if (archive_) {
      logic_.List(*archive_, stamp_);
      archive_.reset();
    }
    if (changed_ && status.ok()) {
      logic_.Show(shell::Tr(kArchiveChangedNotReplaced), kTitle);
    } else if (status.ok()) {
      logic_.SetStatus(shell::Arg(shell::Tr(kEntryReplacedText),
                                  {pak::DisplayName(entry_), logic_.archive_path()}));
    } else if (status.kind() == pak::Status::Kind::kCancelled) {
      // Stopped before the new archive took the old one's place: nothing changed.
    } else if (status.kind() == pak::Status::Kind::kInvalidArchive) {
      logic_.ReportLoadFailure(status);
    } else {
      logic_.Report(status);
    }
    logic_.UpdateExtractButton();
  }

 private:
  // Reads the archive's directory again, for the list.
  pak::Status Reread() {
    stamp_ = fs_.Stamp(path_);
    pak::Result<pak::PakArchive> opened = pak::OpenPakFile(fs_, path_);
    if (!opened.ok()) return opened.status();
    archive_ = std::move(opened).value();
    return pak::Status::Ok();
  }

  UnbalerLogic& logic_;  // on the window's thread only
  pak::FileSystem& fs_;
  const std::optional<pak::FileStamp> listed_;  // the stamp the archive was listed with
  const pak::Path path_;
  const std::u16string entry_;
  const pak::Path file_;
  bool changed_ = false;
  std::optional<pak::FileStamp> stamp_;
  std::optional<pak::PakArchive> archive_;  // the archive read again
};

void UnbalerLogic::ReplaceEntry() {
  if (Working() || !listed_.has_value()) return;
  const std::vector<std::size_t> chosen = SelectedEntries();
  if (chosen.size() != 1) return;
  SetStatus(u"");
  const std::u16string entry = list().entries()[chosen[0]].name;
  shell::FileDialogRequest request;
  request.kind = shell::FileDialogRequest::Kind::kOpen;
  request.options = {.hide_read_only = true, .file_must_exist = true};
  request.filter = kReplaceEntryFilter;
  const std::u16string file = ChooseFile(request);
  if (file.empty()) return;
  const std::optional<shell::ChoiceBox::Answer> answer =
      Ask({shell::Arg(shell::Tr(kReplaceEntryQuestion),
                      {pak::DisplayName(entry), archive_path(), file}),
           std::u16string(kTitle), std::u16string(shell::Tr(kReplaceText)), std::u16string(),
           std::u16string(shell::Tr(kCancelText))});
  // Without a choice box nothing is rewritten unasked.
  if (answer != shell::ChoiceBox::Answer::kFirst) return;
  RunWork(kReplacingText, std::make_unique<ReplaceJob>(*this, entry, pak::PathFromUtf16(file)));
}

pak::Path ArchiveFolder(const pak::Path& folder, const std::u16string& archive) {
  std::u16string name = pak::PathFromUtf16(archive).filename().u16string();
  if (shell::HasPakExtension(name) && name.size() > 4) name.resize(name.size() - 4);
  return pak::JoinPath(folder, name);
}

// Extracts several archives, each whole into a folder of its own, on the worker; the window hears
// of what each came to at the end.
class UnbalerLogic::ManyJob : public shell::Job {
 public:
  ManyJob(UnbalerLogic& logic, std::vector<std::u16string> archives, pak::Path folder)
      : logic_(logic),
        fs_(logic.fs_),
        code_page_(logic.code_page_),
        archives_(std::move(archives)),
        folder_(std::move(folder)),
        results_(archives_.size(), pak::Status::Cancelled("stopped before it was extracted")) {}

  pak::Status Run(const pak::Progress& post, const pak::StopFlag& stop) override {
    for (std::size_t k = 0; k < archives_.size(); ++k) {
      if (stop.load()) return pak::Status::Cancelled("stopped");
      results_[k] = ExtractOne(archives_[k], post, stop);
      if (results_[k].kind() == pak::Status::Kind::kCancelled) return results_[k];
    }
    return pak::Status::Ok();
  }

  void Finish(const pak::Status&, std::size_t) override {
    std::size_t done = 0;
    std::u16string failed_names, faults;
    for (std::size_t k = 0; k < archives_.size(); ++k) {
      if (results_[k].ok()) {
        ++done;
        continue;
      }
      const std::u16string name = pak::PathFromUtf16(archives_[k]).filename().u16string();
      failed_names += (failed_names.empty() ? u"" : u", ") + name;
      faults += u"\n\n" + archives_[k] + u"\n" + pak::FromUtf8(results_[k].message());
    }
    const std::u16string folder = folder_.u16string();
    if (done == archives_.size()) {
      logic_.SetStatus(shell::Arg(shell::Tr(kArchivesExtractedText), {Number(done), folder}));
    } else {
      logic_.SetStatus(shell::Arg(shell::Tr(kSomeArchivesExtractedText),
                                  {Number(done), folder, Number(archives_.size()), failed_names}));
      logic_.Show(std::u16string(shell::Tr(kArchivesFailedText)) + faults, kTitle);
    }
    if (done > 0) logic_.OfferFolder(folder);
  }

 private:
  pak::Status ExtractOne(const std::u16string& archive, const pak::Progress& post,
                         const pak::StopFlag& stop) {
    pak::Result<pak::PakArchive> opened = pak::OpenPakFile(fs_, pak::PathFromUtf16(archive));
    if (!opened.ok()) return opened.status();
    const pak::Path into = ArchiveFolder(folder_, archive);
    std::error_code error;
    std::filesystem::create_directory(into, error);
    if (error && !fs_.IsDirectory(into)) {
      return pak::Status::IoError(
          "cannot make the folder " + pak::DisplayPath(into) + ": " + error.message(),
          error.value());
    }
    return pak::ExtractAll(fs_, *opened, into, code_page_, pak::HostNameRules(), post, &stop);
  }

  UnbalerLogic& logic_;  // on the window's thread only
  pak::FileSystem& fs_;
  const pak::CodePage& code_page_;
  const std::vector<std::u16string> archives_;
  const pak::Path folder_;
  std::vector<pak::Status> results_;  // each archive's, in order
};

void UnbalerLogic::ArchivesChosen(std::vector<std::u16string> archives) {
  if (Working() || archives.empty() || !HaveFolder()) return;
  const pak::Path folder(folder_path());
  // Two archives of one name would be extracted over each other: refused before anything is.
  for (std::size_t i = 0; i < archives.size(); ++i) {
    const pak::Path into = ArchiveFolder(folder, archives[i]);
    for (std::size_t j = 0; j < i; ++j) {
      if (pak::EqualsIgnoreCase(ArchiveFolder(folder, archives[j]).u16string(), into.u16string())) {
        Show(shell::Arg(shell::Tr(kSameFolderText), {archives[j], archives[i], into.u16string()}),
             kTitle);
        return;
      }
    }
  }
  const std::optional<shell::ChoiceBox::Answer> answer =
      Ask({shell::Arg(shell::Tr(kExtractEachQuestion), {Number(archives.size()), folder_path()}),
           std::u16string(kTitle), std::u16string(shell::Tr(kExtractEachText)), std::u16string(),
           std::u16string(shell::Tr(kCancelText))});
  if (answer != shell::ChoiceBox::Answer::kFirst) return;
  RunWork(kExtractingText, std::make_unique<ManyJob>(*this, std::move(archives), folder));
}

}  // namespace extractor

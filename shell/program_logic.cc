#include "shell/program_logic.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "shell/error_text.h"
#include "shell/opening.h"
#include "shell/path_display.h"
#include "shell/progress_text.h"

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
  // A choice made while work runs (a folder given with an archive being read) leaves the
  // command off; the work's end decides again.
  view_.SetMainCommandEnabled(!Working() && !archive_path_.empty() && !folder_path_.empty());
}

ProgramLogic::Choice ProgramLogic::ChooseArchive(FileDialogRequest::Kind kind,
                                                 FileDialogOptions options) {
  const bool save = kind == FileDialogRequest::Kind::kSave;
  std::u16string chosen = file_dialog_.Show(
      {kind, options, std::u16string(Tr(kPakFilter)), save ? kPakExtension : u""});
  if (chosen.empty()) return Choice::kKept;
  ArchiveChosen(std::move(chosen));
  return Choice::kChosen;
}

void ProgramLogic::SetArchivePath(std::u16string path) {
  archive_path_ = std::move(path);
  archive_caption_ = ShortenPath(archive_path_);
  view_.SetFileCaption(archive_caption_);
  view_.SetFileTip(archive_caption_ == archive_path_ ? std::u16string() : archive_path_);
}

void ProgramLogic::SetFolderPath(std::u16string path) {
  folder_path_ = std::move(path);
  folder_caption_ = ShortenPath(folder_path_);
  view_.SetDirCaption(folder_caption_);
  view_.SetDirTip(folder_caption_ == folder_path_ ? std::u16string() : folder_path_);
}

ProgramLogic::Choice ProgramLogic::ChooseFolder(std::u16string_view title) {
  const BrowseRequest request{
      view_.WindowHandle(), std::u16string(Tr(title)),
      static_cast<std::int32_t>(FolderDialogFlag::kReturnOnlyFileSystemFolders), folder_path_};
  const FolderChoice choice = BrowseForFolder(folder_backend_, request);
  switch (choice.outcome) {
    case FolderChoice::Outcome::kFailed:
      Show(ErrorText(choice.error_number, choice.error_description), ProgramTitle(program_));
      return Choice::kFailed;
    case FolderChoice::Outcome::kCancelled:
      return Choice::kKept;
    case FolderChoice::Outcome::kChosen:
      break;
  }
  // An empty path is no folder: working there would use whatever the working folder is.
  if (choice.path.empty()) return Choice::kKept;
  FolderChosen(choice.path);
  return Choice::kChosen;
}

void ProgramLogic::OpenStartPaths(const std::vector<std::u16string>& paths) {
  if (DropChoice several = ChooseFromDrop(program_, paths, fs_); !several.archives.empty()) {
    if (several.folder) FolderChosen(std::move(*several.folder));
    ArchivesChosen(std::move(several.archives));
    return;
  }
  // More than two paths come only as several archives: those that are none are named, and
  // nothing is chosen.
  if (paths.size() > 2) {
    for (std::size_t k = 0; k < paths.size(); ++k) {
      const pak::Path path = pak::PathFromUtf16(paths[k]);
      if (fs_.IsFile(path)) continue;
      if (k + 1 == paths.size()) {
        if (!fs_.IsDirectory(path))
          Show(RefusalText(kNoSuchFolder, paths[k]), ProgramTitle(program_));
      } else {
        Show(RefusalText(kNotAFile, paths[k]), ProgramTitle(program_));
      }
    }
    return;
  }
  std::optional<std::u16string> archive;
  std::optional<std::u16string> folder;
  // Each program takes first what its window chooses first: Unbaler the archive, Rebaler the
  // folder.
  const bool archive_first = program_ == Program::kUnbaler;
  if (!paths.empty()) (archive_first ? archive : folder) = paths[0];
  if (paths.size() > 1) (archive_first ? folder : archive) = paths[1];
  // The paths taken are shown first, then the boxes that name those refused.
  std::vector<std::u16string> refusals;
  if (folder && !fs_.IsDirectory(pak::PathFromUtf16(*folder))) {
    refusals.push_back(RefusalText(kNoSuchFolder, *folder));
    folder.reset();
  }
  if (archive) {
    if (std::u16string refusal = CheckArchiveArgument(*archive); !refusal.empty()) {
      refusals.push_back(std::move(refusal));
      archive.reset();
    }
  }
  ChoosePaths(std::move(archive), std::move(folder));
  for (const std::u16string& refusal : refusals) Show(refusal, ProgramTitle(program_));
}

std::u16string ProgramLogic::CheckArchiveArgument(std::u16string& path) {
  if (fs_.IsDirectory(pak::PathFromUtf16(path))) return RefusalText(kNotAFile, path);
  return {};
}

std::u16string RefusalText(std::u16string_view head, std::u16string_view path) {
  return std::u16string(Tr(head)) + u"\n\n" + std::u16string(path);
}

bool ProgramLogic::AcceptsDrop(const std::vector<std::u16string>& paths) {
  return !Working() && ChooseFromDrop(program_, paths, fs_).accepted();
}

void ProgramLogic::OnDrop(const std::vector<std::u16string>& paths) {
  if (Working()) return;
  DropChoice choice = ChooseFromDrop(program_, paths, fs_);
  if (!choice.accepted()) return;
  SetStatus(u"");
  ChoosePaths(std::move(choice.archive), std::move(choice.folder));
  if (!choice.archives.empty()) ArchivesChosen(std::move(choice.archives));
}

void ProgramLogic::ChoosePaths(std::optional<std::u16string> archive,
                               std::optional<std::u16string> folder) {
  if (folder) FolderChosen(std::move(*folder));
  if (archive) ArchiveChosen(std::move(*archive));
}

bool HasPakExtension(std::u16string_view path) {
  constexpr std::u16string_view kDotPak = u".pak";
  if (path.size() < kDotPak.size()) return false;
  const std::u16string_view end = path.substr(path.size() - kDotPak.size());
  for (std::size_t i = 0; i < kDotPak.size(); ++i) {
    const char16_t c = end[i];
    if ((c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c) != kDotPak[i]) return false;
  }
  return true;
}

DropChoice ChooseFromDrop(Program program, const std::vector<std::u16string>& paths,
                          pak::FileSystem& fs) {
  DropChoice choice;
  for (const std::u16string& path : paths) {
    if (path.empty()) return {};
    const pak::Path native = pak::PathFromUtf16(path);
    std::optional<std::u16string>* slot = nullptr;
    if (fs.IsDirectory(native)) {
      slot = &choice.folder;
    } else if (fs.IsFile(native) && (program == Program::kUnbaler || HasPakExtension(path))) {
      if (program == Program::kUnbaler && (choice.archive || !choice.archives.empty())) {
        // A second file: several archives, each of which must say it is one.
        if (choice.archive) {
          if (!HasPakExtension(*choice.archive)) return {};
          choice.archives.push_back(std::move(*choice.archive));
          choice.archive.reset();
        }
        if (!HasPakExtension(path)) return {};
        // One file named twice is no second archive (a command line's "A.pak A.pak").
        if (std::find(choice.archives.begin(), choice.archives.end(), path) !=
            choice.archives.end()) {
          return {};
        }
        choice.archives.push_back(path);
        continue;
      }
      slot = &choice.archive;
    }
    if (slot == nullptr || slot->has_value()) return {};
    *slot = path;
  }
  return choice;
}

void ProgramLogic::Report(const pak::Status& status) {
  const std::u16string message = pak::FromUtf8(status.message());
  if (status.kind() == pak::Status::Kind::kIoError) {
    Show(ErrorText(status.error_number(), message), ProgramTitle(program_));
  } else {
    Show(message, ProgramTitle(program_));
  }
}

void ProgramLogic::RunWork(std::u16string verb, std::unique_ptr<Job> job) {
  if (Working()) return;
  state_ = WorkState::kRunning;
  run_ = std::make_shared<WorkRun>(std::move(job));
  view_.SetWorking(true);
  view_.SetMainCommandEnabled(false);
  view_.SetBusy(true);
  SetStatus(Arg(Tr(kWorkingText), {Tr(verb)}));
  runner_->Start([run = run_](const pak::Progress& post) { run->Run(post); },
                 [this, verb](const pak::ProgressCount& count) { ShowProgress(verb, count); },
                 [this, run = run_] { EndWork(*run); });
}

void ProgramLogic::ShowProgress(std::u16string_view verb, const pak::ProgressCount& count) {
  // Once a stop is asked, the line says so until the work ends: a report still on its way (one
  // per chunk inside a large entry) does not take its place.
  if (state_ != WorkState::kRunning) return;
  SetStatus(ProgressText(verb, count));
  view_.SetProgress(ProgressFraction(count));
}

void ProgramLogic::EndWork(WorkRun& run) {
  const bool stopped = run.stop_asked() && run.status().kind() == pak::Status::Kind::kCancelled;
  state_ = stopped ? WorkState::kIdle : run.status().ok() ? WorkState::kDone : WorkState::kFailed;
  view_.SetBusy(false);
  view_.SetProgress(std::nullopt);
  UpdateMainCommand();
  // Before the end is told: a box it shows comes after the commands are back.
  view_.SetWorking(false);
  const std::u16string progress_shown = status_;
  run.Finish();
  // An end that says nothing (a failure has its box) leaves no progress behind.
  if (status_ == progress_shown) SetStatus(u"");
}

void ProgramLogic::OnCancel() {
  if (state_ != WorkState::kRunning) return;
  state_ = WorkState::kCancelling;
  run_->Stop();
  SetStatus(std::u16string(Tr(kStoppingText)));
}

void ProgramLogic::SetStatus(std::u16string text) {
  status_ = std::move(text);
  if (offered_folder_) {
    offered_folder_.reset();
    view_.SetStatusOffersFolder(false);
  }
  view_.SetStatus(ShownStatus());
  // Scripts that drive the window from outside read the status line here, one line per change.
  static const bool echo = std::getenv("BALER_ECHO_STATUS") != nullptr;
  if (echo) std::fprintf(stderr, "status: %s\n", pak::ToUtf8(status_).c_str());
}

void ProgramLogic::OfferFolder(std::u16string folder) {
  offered_folder_ = std::move(folder);
  view_.SetStatusOffersFolder(true);
}

void ProgramLogic::OnOpenFolder() {
  if (Working() || !offered_folder_) return;
  if (launcher_ != nullptr && launcher_->Open(pak::PathFromUtf16(*offered_folder_))) return;
  Show(RefusalText(kFolderNotOpened, *offered_folder_), ProgramTitle(program_));
}

std::u16string ProgramLogic::ShownStatus() const {
  if (!status_.empty()) return status_;
  return list_.Summary(program_ == Program::kUnbaler ? kEntryWords : kFileWords);
}

void ProgramLogic::ListEntries(std::vector<ListEntry> entries) {
  list_.Assign(std::move(entries));
  ShowRows();
}

void ProgramLogic::ShowRows() {
  std::vector<std::u16string> items;
  items.reserve(list_.rows().size());
  for (std::size_t i = 0; i < list_.rows().size(); ++i)
    items.push_back(ItemText(list_.row(i).name));
  view_.SetListItems(items);
  view_.SetListSizes(list_.RowSizes());
  if (status_.empty()) view_.SetStatus(ShownStatus());
}

std::vector<ListMenuItem> ProgramLogic::SortMenu(bool stored) const {
  const bool can = !Working() && !list_.entries().empty();
  const SortOrder order = list_.order();
  std::vector<ListMenuItem> items = {
      {ListCommand::kSortByName, Tr(kSortByNameText), can, order == SortOrder::kName},
      {ListCommand::kSortBySize, Tr(kSortBySizeText), can, order == SortOrder::kSize}};
  if (stored) {
    items.push_back(
        {ListCommand::kSortStored, Tr(kSortStoredText), can, order == SortOrder::kStored});
  }
  return items;
}

void ProgramLogic::OnListCommand(ListCommand command) {
  if (Working()) return;
  switch (command) {
    case ListCommand::kSortByName:
      list_.SetOrder(SortOrder::kName);
      break;
    case ListCommand::kSortBySize:
      list_.SetOrder(SortOrder::kSize);
      break;
    case ListCommand::kSortStored:
      list_.SetOrder(SortOrder::kStored);
      break;
    default:
      return;
  }
  ShowRows();
}

void ProgramLogic::OnFilter(const std::u16string& text) {
  list_.SetFilter(text);
  ShowRows();
}

std::u16string CountText(std::size_t count, std::u16string_view one, std::u16string_view many) {
  return Arg(Tr(count == 1 ? one : many), {pak::FromUtf8(std::to_string(count))});
}

std::u16string SizeText(std::uint64_t bytes) {
  constexpr std::uint64_t kKb = 1024;
  constexpr std::uint64_t kMb = kKb * 1024;
  const auto rounded = [&](std::uint64_t unit) {
    return pak::FromUtf8(std::to_string((bytes + unit / 2) / unit));
  };
  if (bytes >= kMb) return Arg(Tr(kMegabytes), {rounded(kMb)});
  if (bytes >= kKb) return Arg(Tr(kKilobytes), {rounded(kKb)});
  return CountText(bytes, kOneByte, kBytes);
}

bool ProgramLogic::MayOpen(std::u16string_view name) {
  if (OpensAsData(name)) return true;
  Show(NotOpenedText(name), ProgramTitle(program_));
  return false;
}

void ProgramLogic::Launch(const pak::Path& file, std::u16string_view name) {
  if (!MayOpen(name)) return;
  if (launcher_ != nullptr && launcher_->Open(file)) return;
  // The name alone: a copy's folder means nothing to the user.
  Show(Arg(Tr(kNoProgramText), {pak::FromUtf8(pak::DisplayPath(file.filename()))}),
       ProgramTitle(program_));
}

void ProgramLogic::Show(std::u16string_view text, std::u16string_view title) {
  message_box_.Show(std::u16string(text), std::u16string(title));
}

std::optional<ChoiceBox::Answer> ProgramLogic::Ask(const ChoiceBox::Question& question) {
  if (choice_box_ == nullptr) return std::nullopt;
  return choice_box_->Ask(question);
}

}  // namespace shell

#include "codec/staged_file.h"

#include <utility>

namespace pak {

Result<std::unique_ptr<StagedFile>> StagedFile::Open(FileSystem& fs, Path target, Flush flush,
                                                     Access access) {
  std::unique_ptr<StagedFile> staged(new StagedFile(fs, std::move(target), flush));
  PAK_RETURN_IF_ERROR(staged->Create(access));
  return staged;
}

StagedFile::~StagedFile() {
  // Best effort: the file is dropped, and a failure to close or delete it changes nothing for the
  // caller, whose target is as it was.
  if (file_ != nullptr) (void)file_->Close();
  if (!temp_.empty()) (void)fs_.Remove(temp_);
}

OutputFile& StagedFile::file() { return *file_; }

Status StagedFile::Finish(FileFlush flush) {
  if (state_ == State::kFinished || state_ == State::kNamed) return Status::Ok();
  if (state_ != State::kWriting) return Status::Refused("A file that failed cannot be finished");
  state_ = State::kFinished;
  if (flush == FileFlush::kHere && NeedsFlush()) {
    const Status synced = file_->Sync();
    if (!synced.ok()) return Failed(synced);
  }
  if (!temp_.empty()) {
    const std::unique_ptr<OutputFile> file = std::move(file_);
    const Status closed = file->Close();
    if (!closed.ok()) return Failed(closed);
  }
  return Status::Ok();
}

Status StagedFile::Commit(FolderFlush folder) {
  if (state_ == State::kNamed) return Status::Refused("The file has its name already");
  PAK_RETURN_IF_ERROR(Finish());
  PAK_RETURN_IF_ERROR(Name());
  replaced_ = NeedsFlush();
  return folder == FolderFlush::kNow && replaced_ ? fs_.SyncFolder(Folder()) : Status::Ok();
}

Result<bool> StagedFile::CommitIfNoFlush() {
  if (state_ != State::kWriting) return false;
  if (flush_ == Flush::kWhenReplacing && temp_.empty()) {
    auto named = fs_.PublishNew(file_, target_);
    if (!named.ok()) return Failed(named.status());
    if (*named == FileSystem::NewName::kGiven) {
      state_ = State::kNamed;
      return true;
    }
    if (*named == FileSystem::NewName::kTaken) needs_flush_ = true;
  }
  if (NeedsFlush()) return false;
  PAK_RETURN_IF_ERROR(Commit(FolderFlush::kLater));
  return true;
}

Status StagedFile::Create(Access access) {
  if (access == Access::kWriteOnly) {
    auto unnamed = fs_.CreateUnnamed(target_);
    if (!unnamed.ok()) return unnamed.status();
    if (*unnamed != nullptr) {
      file_ = std::move(unnamed).value();
      return Status::Ok();
    }
  }
  auto file = fs_.CreateTemporary(Folder(), target_.filename().u16string(), &temp_);
  if (!file.ok()) return file.status();
  file_ = std::move(file).value();
  return Status::Ok();
}

bool StagedFile::NeedsFlush() {
  if (!needs_flush_) needs_flush_ = flush_ == Flush::kAlways || fs_.Identify(target_).has_value();
  return *needs_flush_;
}

Status StagedFile::Name() {
  if (temp_.empty()) {
    const Status published = fs_.Publish(std::move(file_), target_);
    if (!published.ok()) return Failed(published);
  } else {
    const Status moved = fs_.Replace(temp_, target_);
    if (!moved.ok()) return Failed(moved);
    temp_.clear();
  }
  state_ = State::kNamed;
  return Status::Ok();
}

Path StagedFile::Folder() const {
  Path folder = target_.parent_path();
  return folder.empty() ? Path(".") : folder;
}

Status StagedFile::Failed(Status status) {
  state_ = State::kFailed;
  return status;
}

}  // namespace pak

// A file written under no name, or a hidden temporary one, that takes the target's name only
// when it is committed after its last byte: no file ever holds a part of its content under the
// target's name, and an interrupted run leaves the old file whole. Where the file system has
// unnamed files, nothing at all is left if the process dies; otherwise the destructor deletes
// the temporary, and so do the file system's interruption handlers. Committing is the one place
// where a finished file is put into place.
//
// A file that takes another's place is flushed to the disk before it does: a power cut then
// leaves the old file or the new one whole, never the name over data that were never written.
//
// The file goes through three states, in this order: kWriting (file() takes its bytes),
// kFinished (flushed as it must be; a readable one closed, to be read at written()) and kNamed
// (it has the target's name). A step that fails leaves it kFailed. A call out of this order is
// refused, or does nothing where it asks for what is done already. A file not named when the
// object goes leaves nothing behind, and the old file at the target as it was.
#pragma once

#include <memory>
#include <optional>

#include "codec/file_system.h"
#include "codec/status.h"

namespace pak {

class StagedFile {
 public:
  // When the file is flushed before it takes its name: kAlways (an archive), or kWhenReplacing,
  // only when a file has the target's name then (a new file replaces nothing and needs no flush).
  enum class Flush { kAlways, kWhenReplacing };
  // kReadable: the file is always a named temporary, so that it can be read back by its path
  // once finished, before it is committed.
  enum class Access { kWriteOnly, kReadable };
  // Who flushes the file's bytes: Finish, or the caller, who flushed many files at once.
  enum class FileFlush { kHere, kDone };
  // Whether Commit flushes the folder so that the new name lasts, or leaves that to a caller that
  // puts many files into one folder and flushes it once at the end, when replaced() says so.
  enum class FolderFlush { kNow, kLater };
  enum class State { kWriting, kFinished, kNamed, kFailed };

  // Creates the file; creating it is also the proof that the folder can be written.
  static Result<std::unique_ptr<StagedFile>> Open(FileSystem& fs, Path target, Flush flush,
                                                  Access access = Access::kWriteOnly);
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  State state() const { return state_; }
  // The file to write, while kWriting.
  OutputFile& file();
  // Where the bytes are being written: the temporary file, or empty for an unnamed one.
  const Path& written() const { return temp_; }

  // kWriting -> kFinished: flushes the file when it is to take another's place (unless
  // `flush` says the caller did), and closes a named temporary. Nothing to do when finished.
  Status Finish(FileFlush flush = FileFlush::kHere);
  // kWriting or kFinished -> kNamed: finishes the file, gives it the target's name, replacing
  // what is there, and flushes the folder now or leaves that for later.
  Status Commit(FolderFlush folder);
  // Commits a kWriting file, the folder's flush left for later, only when that needs no flush of
  // the file: nothing has the name (where the file system can tell in the same step that
  // nothing has it, that is the step that names the file), or a file with kWhenReplacing
  // replaces none. True when the file was named; false when it is still to be committed, and
  // then the file is flushed first.
  Result<bool> CommitIfNoFlush();
  // Whether the committed file took another's place, so that the folder needs its flush.
  bool replaced() const { return replaced_; }

 private:
  StagedFile(FileSystem& fs, Path target, Flush flush)
      : fs_(fs), target_(std::move(target)), flush_(flush) {}
  Status Create(Access access);
  bool NeedsFlush();
  Status Name();
  Path Folder() const;
  Status Failed(Status status);

  FileSystem& fs_;
  const Path target_;
  const Flush flush_;
  State state_ = State::kWriting;
  std::optional<bool> needs_flush_;  // known once asked, or told by the file system
  bool replaced_ = false;
  Path temp_;  // a named temporary: what to delete when not committed
  std::unique_ptr<OutputFile> file_;
};

}  // namespace pak

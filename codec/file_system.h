// The file system as the codec's workflows see it.
//
// Everything that touches the disk goes through FileSystem, so that tests can
// put a faulty one in its place (fail at the Nth write, a vanished file) and
// prove that nothing is lost. DefaultFileSystem() is the real one for this
// platform. Paths are std::filesystem::path; file names are UTF-16.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codec/status.h"

namespace pak {

using Path = std::filesystem::path;

// Paths from UTF-16 or UTF-8 text, without the standard library's locale
// conversions (which throw on text they cannot convert). On POSIX systems a
// UTF-8 path is taken byte for byte.
Path PathFromUtf16(std::u16string_view text);
Path PathFromUtf8(std::string_view text);
// Joins a folder and a file name as the programs do.
Path JoinPath(const Path& folder, std::u16string_view name);
// A path for messages, in UTF-8.
std::string DisplayPath(const Path& path);

// What makes a file itself rather than one of its names: the file's number on its device (on
// Windows the volume), with its length and last modification time. Two paths that lead to the
// same file, through a link or not, are the same file. The device is kept but not compared: an
// overlay or bind mount shows one file under another device number with the same number, length
// and time, and writing to it through one path destroys it under the other. This comparison is
// the one definition of "the same file" that every identity check uses.
struct FileId {
  std::uint64_t device = 0;
  std::uint64_t file = 0;
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // in the system's own units
  friend bool operator==(const FileId& a, const FileId& b) {
    return a.file == b.file && a.size == b.size && a.modified == b.modified;
  }
};

class InputFile {
 public:
  virtual ~InputFile() = default;
  // The file's length when it was opened.
  virtual std::uint64_t size() const = 0;
  // Reads exactly out.size() bytes from `offset`; a short file is an I/O error.
  virtual Status ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
  // A hint that the file will be read soon: the system may start reading its beginning in the
  // background, so that many small files opened ahead are read from the disk in parallel.
  virtual void Prefetch() {}
  // The identity of the file opened, when the file system knows it.
  virtual std::optional<FileId> id() const { return std::nullopt; }
};

class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual Status Append(std::span<const std::uint8_t> bytes) = 0;
  // Appends `size` bytes of `in`, starting at `offset`. The default copies
  // through a buffer; real files may let the kernel copy.
  virtual Status AppendFrom(InputFile& in, std::uint64_t offset, std::uint64_t size);
  // Overwrites bytes already appended.
  virtual Status WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) = 0;
  // Bytes appended so far.
  virtual std::uint64_t size() const = 0;
  // Puts everything written so far on the disk itself, not only in the system's cache, and
  // returns when it is there. A file that is about to take another file's place is flushed
  // first: otherwise a power cut right after the move may leave the name pointing at data that
  // never reached the disk, and the old file gone.
  virtual Status Sync() = 0;
  // Closing can fail (a full disk may only show here); call it and check.
  virtual Status Close() = 0;
};

// One state of a file, to tell later whether the file at a path is still what was read: its
// length, its last modification time, the time of its last change of any kind (which, unlike the
// modification time, no program can set back) and which file it is. A file written in place
// changes its times, and a file moved over it, even one of the same length and times, is another
// file.
struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // in the system's own units
  std::int64_t changed = 0;   // the same
  FileId id;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file at `path` on this system, following links; none when there is no file
// there or it cannot be examined.
std::optional<FileStamp> StampOf(const Path& path);

// Why a name in a folder is none of the files to pack.
enum class LeftOutReason {
  kPipe,     // a named pipe (FIFO)
  kDevice,   // a device
  kSocket,   // a socket
  kSpecial,  // not an ordinary file otherwise
  kLinkToFolder,
  kLinkToPipe,
  kLinkToDevice,
  kLinkToSocket,
  kLinkToSpecial,
  kDanglingLink,  // what it names does not exist
  kLinkLoop,      // it leads back to itself
  kUnexamined,    // the system would not say what it is
};

struct LeftOutFile {
  std::u16string name;
  LeftOutReason reason;
  friend bool operator==(const LeftOutFile&, const LeftOutFile&) = default;
};

// A folder's names as a pack sees them.
struct FolderListing {
  // Ordinary files, and links that lead to an ordinary file inside the folder (a sub-folder's
  // included).
  std::vector<std::u16string> files;
  // Links that lead to an ordinary file outside the folder.
  std::vector<std::u16string> outside_links;
  // Special files and links that lead to no ordinary file.
  std::vector<LeftOutFile> left_out;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual Result<std::unique_ptr<InputFile>> OpenForRead(const Path& path) = 0;
  // Creates a new, empty file in the folder of `target` that has no name yet: it gets one only
  // through Publish or PublishNew, and vanishes if the process dies first, or is closed. Fails as
  // creating a file in that folder fails (a folder that cannot be written); messages name
  // `target`. A file system that has no such files returns null (the default), and the caller
  // uses CreateTemporary and Replace instead. On Windows, which has none, a hidden temporary
  // beside the target stands in: it is deleted when closed, and on interruption as CreateTemporary
  // says, but a process killed outright leaves it.
  virtual Result<std::unique_ptr<OutputFile>> CreateUnnamed(const Path& target);
  // Gives a file from CreateUnnamed the name `target`, replacing what is there (also a
  // read-only file, or a link, which is replaced and not followed), and closes it.
  virtual Status Publish(std::unique_ptr<OutputFile> file, const Path& target);
  // What PublishNew did: gave the file its name, found the name taken, or could not tell.
  enum class NewName { kGiven, kTaken, kUnknown };
  // Gives a file from CreateUnnamed the name `target`, and closes it, only when nothing has that
  // name: kGiven then, and `file` is released. kTaken when something has the name, kUnknown when
  // the system cannot tell in the same step (the default): the file is then still open and
  // unnamed, for Publish. An error means that the file took its name but did not close cleanly.
  virtual Result<NewName> PublishNew(std::unique_ptr<OutputFile>& file, const Path& target);
  // Creates a new, empty file with a unique name inside `folder`, made from
  // `hint`; its path is stored in *created. The name starts with a dot so that
  // folder scans pass over it. Until it is moved by Replace or deleted by Remove, the
  // file is deleted if the process is interrupted (SIGINT, SIGTERM, SIGHUP; a closed console).
  virtual Result<std::unique_ptr<OutputFile>> CreateTemporary(const Path& folder,
                                                              std::u16string_view hint,
                                                              Path* created) = 0;
  // Moves `from` over `to` in one step, replacing `to` even when read-only. Where the system
  // can make the move itself durable as part of the call, it does.
  virtual Status Replace(const Path& from, const Path& to) = 0;
  // Puts the folder's own entries (the names moved, created or deleted in it) on the disk, so
  // that a move into it survives a power cut. A system whose Replace is durable already does
  // nothing here.
  virtual Status SyncFolder(const Path& folder) = 0;
  // Puts every file written to the file system that holds `folder` on the disk, in one call: many
  // files flushed at once cost about as much as one. A system that cannot fails (the default),
  // and the caller flushes each file itself.
  virtual Status SyncFileSystem(const Path& folder);
  // Deletes a file, even a read-only one.
  virtual Status Remove(const Path& path) = 0;
  virtual bool IsDirectory(const Path& path) = 0;
  // Whether `path` is an ordinary file (through links), hidden or not.
  virtual bool IsFile(const Path& path);
  // The identity of the file at `path`, following links; none when nothing is there.
  virtual std::optional<FileId> Identify(const Path& path);
  // The names directly inside `folder`, hidden ones included, that lead to the file `id`,
  // directly, as another hard link, or through a symbolic link. The default looks at the files
  // ListFiles returns.
  virtual Result<std::vector<std::u16string>> NamesOfFile(const Path& folder, const FileId& id);
  // The names directly inside `folder` that are not hidden, in the order the system returns
  // them, sorted by what they lead to. Sub-folders are left out without a word. Only links cost
  // a look beyond the listing itself.
  virtual Result<FolderListing> ListFolder(const Path& folder) = 0;
  // The names of the ordinary, not hidden files directly inside `folder` (through links, also
  // those out of the folder), in the order the system returns them.
  Result<std::vector<std::u16string>> ListFiles(const Path& folder);
  // Whether `name` in `folder` is a link (or a chain of them) to a file outside the folder and
  // the folders within it. False for anything else, also where it cannot be told (the default).
  virtual bool LeadsOutside(const Path& folder, std::u16string_view name);

  // How many more files the process can hold open at once, leaving some for whatever else it
  // opens: files that wait open for a common flush are never more. Unbounded by default.
  virtual std::size_t SpareFileHandles();
  // Whether `folder` takes names that differ only in letter case for one file (a FAT, exFAT or
  // NTFS volume, a case-folding folder). The default writes a hidden temporary file there,
  // looks it up under its name with the case of its letters swapped, and deletes it; a file
  // system that cannot identify files answers false.
  virtual Result<bool> IgnoresCase(const Path& folder);

  // Reads a whole file into memory.
  Result<std::vector<std::uint8_t>> ReadWholeFile(const Path& path);

  // The file's present stamp (StampOf by default); none when it cannot be had.
  virtual std::optional<FileStamp> Stamp(const Path& path) { return StampOf(path); }

  // Moves the modification time of the file at `path` (through links) past that of the file at
  // `other`, by two seconds, the coarsest step a file system keeps times in (FAT): the file then
  // reads as modified after `other` on every volume. Its bytes are untouched, and a file already
  // later than `other` is left as it is.
  virtual Status MarkModifiedAfter(const Path& path, const Path& other);
};

FileSystem& DefaultFileSystem();

// Creates a new folder inside `parent` that only the present user can enter (mode 0700 where
// the system has modes), named `prefix`, the process's id and a random part, and returns its
// path. A name that exists already, whoever made it, is never taken over: another is tried.
Result<Path> CreatePrivateFolder(const Path& parent, std::string_view prefix);

}  // namespace pak

// Reading PAK archives into the entry table.
//
// ParsePak turns an archive's bytes into a PakArchive: the entries in archive
// order, each with its name (".wav" shown as ".ogg"), offset, size and a view
// of its bytes. The archive keeps the one buffer that every entry views, so a
// loaded archive costs its size in memory once. OpenPakFile reads only the
// directory and copies entry bytes from the file when asked, for callers that
// stream (the command-line tool).
//
// Nothing outside the given bytes is ever read. A file shorter than 8 bytes or
// without the signature is "Invalid file"; a structural fault after that (an
// entry count larger than the records, a name without end, an empty or odd
// name, a negative size, data past the end of the file) rejects the whole file
// with a message that names the entry and the fault.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "codec/file_system.h"
#include "codec/status.h"

namespace pak {

// The message of the two basic rejections (too short, wrong signature).
inline constexpr const char* kInvalidFile = "Invalid file";

struct PakEntry {
  std::u16string name;         // the name after the .wav -> .ogg renaming
  std::u16string stored_name;  // the name as the archive records it
  std::int32_t offset = 0;     // absolute offset of the data, as recorded
  std::int32_t size = 0;       // number of data bytes, as recorded
  // The entry's bytes: a view into the archive's buffer. Empty for archives
  // opened with OpenPakFile, whose bytes stay in the file.
  std::span<const std::uint8_t> data;
};

class PakArchive {
 public:
  PakArchive() = default;

  const std::vector<PakEntry>& entries() const { return entries_; }
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  const PakEntry& operator[](std::size_t i) const { return entries_[i]; }

  // Appends `size` bytes of entry i, starting `at` bytes into the entry, to `out`. A range past
  // the entry's end is refused.
  Status CopyEntry(std::size_t i, std::uint64_t at, std::uint64_t size, OutputFile& out) const;
  // Reads out.size() bytes of entry i, starting `at` bytes into the entry, from
  // memory or from the file. A range past the entry's end is refused.
  Status ReadEntry(std::size_t i, std::uint64_t at, std::span<std::uint8_t> out) const;

  // The identity of the file the archive was read from, so that extracting can refuse to
  // write over it; none for an archive parsed from memory.
  const std::optional<FileId>& source_id() const { return source_id_; }

 private:
  friend Result<PakArchive> ParsePak(std::vector<std::uint8_t> bytes);
  friend Result<PakArchive> LoadPakFile(FileSystem& fs, const Path& path);
  friend Result<PakArchive> OpenPakFile(FileSystem& fs, const Path& path);

  // Parses the `size` bytes that `bytes` points to and keeps them.
  static Result<PakArchive> FromBuffer(std::shared_ptr<const std::uint8_t> bytes, std::size_t size);

  std::vector<PakEntry> entries_;
  std::shared_ptr<const std::uint8_t> bytes_;  // a loaded archive
  std::shared_ptr<InputFile> file_;            // an opened archive
  std::optional<FileId> source_id_;
};

// Parses a whole archive held in memory; the result keeps the buffer.
Result<PakArchive> ParsePak(std::vector<std::uint8_t> bytes);
// Reads the whole file in one read and parses it.
Result<PakArchive> LoadPakFile(FileSystem& fs, const Path& path);
// Parses only the directory; entry bytes are copied from the file on demand.
Result<PakArchive> OpenPakFile(FileSystem& fs, const Path& path);

// The directory parse behind both: reads the records from `prefix`, the first
// bytes of an archive of `archive_size` bytes. Sets *need_more when the
// directory runs past the prefix (only possible when the prefix is shorter
// than the archive).
Status ParseDirectory(std::span<const std::uint8_t> prefix, std::uint64_t archive_size,
                      std::vector<PakEntry>* entries, bool* need_more);

}  // namespace pak

#include "codec/reader.h"

#include <algorithm>
#include <cstring>

#include "codec/names.h"
#include "codec/pak_format.h"
#include "codec/text.h"

namespace pak {
namespace {

Status Fault(std::size_t index, std::size_t count, const std::u16string* name,
             const std::string& what) {
  std::string who = "entry " + std::to_string(index + 1) + " of " + std::to_string(count);
  if (name != nullptr) who += " (\"" + EscapeControls(ToUtf8(*name)) + "\")";
  return Status::InvalidArchive(std::string(kInvalidFile) + ": " + who + ": " + what);
}

}  // namespace

Status ParseDirectory(std::span<const std::uint8_t> prefix, std::uint64_t archive_size,
                      std::vector<PakEntry>* entries, bool* need_more) {
  *need_more = false;
  entries->clear();
  if (archive_size < kMinArchiveSize) return Status::InvalidArchive(kInvalidFile);
  if (prefix.size() < kMinArchiveSize) {
    *need_more = true;
    return Status::Ok();
  }
  if (!std::equal(kSignature.begin(), kSignature.end(), prefix.begin())) {
    return Status::InvalidArchive(kInvalidFile);
  }
  const std::size_t count = LoadU16(&prefix[4]);
  if (count == 0) {
    return Status::InvalidArchive(std::string(kInvalidFile) + ": the archive holds no entries");
  }
  const bool whole = prefix.size() >= archive_size;
  const std::size_t end = prefix.size();
  entries->reserve(count);

  std::size_t p = kMinArchiveSize;  // where the current record's name starts
  for (std::size_t i = 0; i < count; ++i) {
    // The name ends at the first pair of zero bytes from the record's start, within the units
    // that the name-length field can count: a name is never looked for to the end of the file.
    const std::size_t limit = p + 2 * kMaxNameFieldUnits;
    const std::size_t stop = std::min(end, limit);
    std::size_t k = p - 2;
    while (k + 1 < stop && !(prefix[k] == 0 && prefix[k + 1] == 0)) ++k;
    if (k + 1 >= stop && stop == limit) {
      return Fault(i, count, nullptr,
                   "its name has no end within the " + std::to_string(kMaxNameFieldUnits - 1) +
                       " characters its length field can count");
    }
    if (k + 1 >= end) {
      if (!whole) {
        *need_more = true;
        return Status::Ok();
      }
      return Fault(i, count, nullptr,
                   i == 0 ? "its name has no end before the end of the file"
                          : "the file ends inside its record (the entry count is larger than the "
                            "records)");
    }
    if (k + 1 <= p) return Fault(i, count, nullptr, "its name is empty");
    const std::size_t name_bytes = k + 1 - p;
    if (name_bytes % 2 != 0) return Fault(i, count, nullptr, "its name has an odd number of bytes");
    const std::size_t e = k + 1;  // the terminator
    if (e + 14 > end) {
      if (!whole) {
        *need_more = true;
        return Status::Ok();
      }
      return Fault(i, count, nullptr, "the file ends inside its record");
    }

    PakEntry entry;
    std::u16string stored(name_bytes / 2, u'\0');
    for (std::size_t j = 0; j < stored.size(); ++j) {
      stored[j] = static_cast<char16_t>(LoadU16(&prefix[p + 2 * j]));
    }
    entry.offset = static_cast<std::int32_t>(LoadU32(&prefix[e + 6]));
    entry.size = static_cast<std::int32_t>(LoadU32(&prefix[e + 10]));
    if (entry.offset < 0 || entry.size < 0) {
      return Fault(i, count, &stored,
                   "its data offset or size is negative (" + std::to_string(entry.offset) + ", " +
                       std::to_string(entry.size) + ")");
    }
    const std::uint64_t data_end =
        static_cast<std::uint64_t>(entry.offset) + static_cast<std::uint64_t>(entry.size);
    if (data_end > archive_size) {
      return Fault(i, count, &stored,
                   "its data (" + std::to_string(entry.size) + " bytes at offset " +
                       std::to_string(entry.offset) + ") run past the end of the file (" +
                       std::to_string(archive_size) + " bytes)");
    }
    entry.name = ArchiveToDiskName(stored);
    entry.stored_name = std::move(stored);
    entries->push_back(std::move(entry));
    p = e + kRecordOverhead;
  }
  // Entries may share bytes, but all of them together never hold more than the data after the
  // directory: otherwise a small archive would extract to many times its size.
  const std::uint64_t directory_end = p - 2;
  const std::uint64_t data_bytes = archive_size > directory_end ? archive_size - directory_end : 0;
  std::uint64_t total = 0;
  for (const PakEntry& entry : *entries) total += static_cast<std::uint64_t>(entry.size);
  if (total > data_bytes) {
    return Status::InvalidArchive(std::string(kInvalidFile) + ": its entries hold " +
                                  std::to_string(total) + " bytes of data in all, more than the " +
                                  std::to_string(data_bytes) +
                                  " bytes after its directory (entries share their bytes)");
  }
  return Status::Ok();
}

Result<PakArchive> PakArchive::FromBuffer(std::shared_ptr<const std::uint8_t> bytes,
                                          std::size_t size) {
  const std::span<const std::uint8_t> all(bytes.get(), size);
  PakArchive archive;
  bool need_more = false;
  PAK_RETURN_IF_ERROR(ParseDirectory(all, size, &archive.entries_, &need_more));
  for (auto& entry : archive.entries_) {
    entry.data =
        all.subspan(static_cast<std::size_t>(entry.offset), static_cast<std::size_t>(entry.size));
  }
  archive.bytes_ = std::move(bytes);
  return archive;
}

Result<PakArchive> ParsePak(std::vector<std::uint8_t> bytes) {
  auto owner = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
  const std::size_t size = owner->size();
  return PakArchive::FromBuffer(std::shared_ptr<const std::uint8_t>(owner, owner->data()), size);
}

Result<PakArchive> LoadPakFile(FileSystem& fs, const Path& path) {
  auto opened = fs.OpenForRead(path);
  if (!opened.ok()) return opened.status();
  InputFile& file = **opened;
  const auto size = static_cast<std::size_t>(file.size());
  // The buffer is left uninitialised: the read fills it at once, and clearing a
  // large archive's worth of memory first took a fifth of the load.
  std::shared_ptr<std::uint8_t[]> buffer(new std::uint8_t[size]);
  PAK_RETURN_IF_ERROR(file.ReadAt(0, std::span<std::uint8_t>(buffer.get(), size)));
  auto archive =
      PakArchive::FromBuffer(std::shared_ptr<const std::uint8_t>(buffer, buffer.get()), size);
  if (archive.ok()) archive->source_id_ = file.id();
  return archive;
}

Result<PakArchive> OpenPakFile(FileSystem& fs, const Path& path) {
  auto opened = fs.OpenForRead(path);
  if (!opened.ok()) return opened.status();
  std::shared_ptr<InputFile> file = std::move(opened).value();
  const std::uint64_t size = file->size();

  // Read a growing prefix until the whole directory is inside it. It doubles, reading only the
  // bytes it adds, and never grows past the most that the recorded number of records can take
  // (the reader looks no further for a name's end than the length field can count), so a
  // directory costs at most twice its own size in memory, however large the file.
  PakArchive archive;
  std::vector<std::uint8_t> prefix;
  std::uint64_t want = std::min<std::uint64_t>(size, 256 * 1024);
  for (;;) {
    const std::size_t have = prefix.size();
    prefix.resize(static_cast<std::size_t>(want));
    PAK_RETURN_IF_ERROR(file->ReadAt(have, std::span<std::uint8_t>(prefix).subspan(have)));
    bool need_more = false;
    PAK_RETURN_IF_ERROR(ParseDirectory(prefix, size, &archive.entries_, &need_more));
    if (!need_more) break;
    const std::uint64_t records = prefix.size() >= kHeaderSize ? LoadU16(&prefix[4]) : 1;
    const std::uint64_t most = kHeaderSize + records * kMaxRecordSize;
    want = std::min({size, want * 2, std::max(most, want + 1)});
  }
  archive.source_id_ = file->id();
  archive.file_ = std::move(file);
  return archive;
}

Status PakArchive::CopyEntry(std::size_t i, std::uint64_t at, std::uint64_t size,
                             OutputFile& out) const {
  const PakEntry& entry = entries_[i];
  const auto entry_size = static_cast<std::uint64_t>(entry.size);
  if (at > entry_size || size > entry_size - at) {
    return Status::Refused("a read past the end of " + DescribeEntry(i, entry.name));
  }
  if (file_ != nullptr) {
    return out.AppendFrom(*file_, static_cast<std::uint64_t>(entry.offset) + at, size);
  }
  return out.Append(std::span<const std::uint8_t>(entry.data)
                        .subspan(static_cast<std::size_t>(at), static_cast<std::size_t>(size)));
}

Status PakArchive::ReadEntry(std::size_t i, std::uint64_t at, std::span<std::uint8_t> out) const {
  const PakEntry& entry = entries_[i];
  const auto size = static_cast<std::uint64_t>(entry.size);
  if (at > size || out.size() > size - at) {
    return Status::Refused("a read past the end of " + DescribeEntry(i, entry.name));
  }
  if (out.empty()) return Status::Ok();
  if (file_ != nullptr) {
    return file_->ReadAt(static_cast<std::uint64_t>(entry.offset) + at, out);
  }
  std::memcpy(out.data(), entry.data.data() + at, out.size());
  return Status::Ok();
}

}  // namespace pak

#include "codec/writer.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <memory>

#include "codec/names.h"
#include "codec/pak_format.h"
#include "codec/text.h"

namespace pak {
namespace {

class MemorySink final : public ByteSink {
 public:
  explicit MemorySink(std::vector<std::uint8_t>* out) : out_(out) {}
  Status Append(std::span<const std::uint8_t> bytes) override {
    out_->insert(out_->end(), bytes.begin(), bytes.end());
    return Status::Ok();
  }
  Status AppendFrom(InputFile& in, std::uint64_t offset, std::uint64_t size) override {
    const std::size_t at = out_->size();
    out_->resize(at + static_cast<std::size_t>(size));
    return in.ReadAt(offset,
                     std::span<std::uint8_t>(out_->data() + at, static_cast<std::size_t>(size)));
  }
  Status WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
    std::copy(bytes.begin(), bytes.end(), out_->begin() + static_cast<std::ptrdiff_t>(offset));
    return Status::Ok();
  }
  std::uint64_t size() const override { return out_->size(); }

 private:
  std::vector<std::uint8_t>* out_;
};

std::string Quoted(std::u16string_view name) {
  std::string quoted = "\"";
  quoted += ToUtf8(name);
  quoted += '"';
  return quoted;
}

}  // namespace

Status CopyInChunks(std::uint64_t size,
                    const std::function<Status(std::uint64_t, std::uint64_t)>& copy,
                    const std::function<void(std::uint64_t)>& copied, const StopFlag* stop,
                    const char* stopped) {
  for (std::uint64_t at = 0; at < size;) {
    const std::uint64_t n = std::min(size - at, kCopyChunk);
    PAK_RETURN_IF_ERROR(copy(at, n));
    at += n;
    if (copied) copied(n);
    if (at < size && stop != nullptr && stop->load()) return Status::Cancelled(stopped);
  }
  return Status::Ok();
}

Status CheckPackNames(std::span<const std::u16string> names) {
  if (names.empty()) return Status::Refused("There is no file to pack in the folder");
  if (names.size() > kMaxEntries) {
    return Status::Refused("The folder holds " + std::to_string(names.size()) +
                           " files to pack; an archive holds at most 65535");
  }
  for (const auto& name : names) {
    if (name.empty()) return Status::Refused("A file to pack has an empty name");
    if (name.size() > kMaxNameUnits) {
      return Status::Refused("The file name " + Quoted(name) + " is " +
                             std::to_string(name.size()) +
                             " characters long; an archive holds names of at most 254");
    }
    for (char16_t c : name) {
      if (c == 0 || c > 0xFF) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
        return Status::Refused("The file name " + Quoted(name) + " holds the character " + code +
                               ", which an archive cannot store (only U+0001 to U+00FF)");
      }
    }
    // An archive is only as good as its extraction: a name that extraction refuses on any
    // system the archive may travel to is refused here, before it is written.
    for (NameRules rules : {NameRules::kPosix, NameRules::kWindows}) {
      if (const char* why = EntryNameFault(name, rules)) {
        return Status::Refused("The file name " + Quoted(name) + " " + why +
                               (rules == NameRules::kWindows ? " (on Windows)" : "") +
                               "; an archive holding it could not be extracted");
      }
    }
  }
  return CheckPackClashes(names);
}

Status CheckPackClashes(std::span<const std::u16string> names) {
  // Two files stored under one name ("a.ogg" beside "a.wav"), or under names that differ only in
  // case, which extraction on Windows (and into any folder that ignores case) writes to one
  // file: the archive would lose one of them when extracted.
  std::vector<std::u16string> stored;
  stored.reserve(names.size());
  for (const auto& name : names) stored.push_back(DiskToArchiveName(name));
  const std::vector<std::u16string_view> views(stored.begin(), stored.end());
  const std::vector<NameClash> clashes = FindNameClashes(views, /*ignore_case=*/true);
  if (clashes.empty()) return Status::Ok();
  constexpr std::size_t kShown = 5;
  std::string pairs;
  for (std::size_t k = 0; k < clashes.size() && k < kShown; ++k) {
    const NameClash& clash = clashes[k];
    if (k > 0) pairs += ", ";
    pairs += Quoted(names[clash.lost]) + " and " + Quoted(names[clash.kept]);
    pairs += stored[clash.lost] == stored[clash.kept]
                 ? " (both stored as " + Quoted(stored[clash.kept]) + ")"
                 : " (names equal but for case, one file when extracted on Windows)";
  }
  if (clashes.size() > kShown)
    pairs += ", and " + std::to_string(clashes.size() - kShown) + " more";
  return Status::Refused(
      "The folder holds files that would land on one file when the archive is extracted: " + pairs +
      "; rename or remove one of each. Nothing was written");
}

std::vector<std::uint8_t> LayOutDirectory(std::span<const std::u16string> stored_names,
                                          std::vector<std::size_t>* slots) {
  std::vector<std::uint8_t> head(kHeaderSize);
  std::copy(kSignature.begin(), kSignature.end(), head.begin());
  StoreU16(&head[4], static_cast<std::uint16_t>(stored_names.size()));
  slots->clear();
  slots->reserve(stored_names.size());
  for (const auto& stored : stored_names) {
    const std::size_t at = head.size();
    head.resize(at + 2 * stored.size() + kRecordOverhead, 0);
    head[at] = static_cast<std::uint8_t>(stored.size() + 1);
    for (std::size_t j = 0; j < stored.size(); ++j) StoreU16(&head[at + 2 + 2 * j], stored[j]);
    const std::size_t tag = at + 2 + 2 * stored.size() + 2;
    std::copy(kRecordTag.begin(), kRecordTag.end(),
              head.begin() + static_cast<std::ptrdiff_t>(tag));
    slots->push_back(tag + 4);
  }
  return head;
}

Status WritePak(FileSystem& fs, const Path& folder, std::span<const std::u16string> names,
                ByteSink& sink, const Progress& progress, const StopFlag* stop) {
  PAK_RETURN_IF_ERROR(CheckPackNames(names));
  const std::uint64_t base = sink.size();

  std::vector<std::u16string> stored;
  stored.reserve(names.size());
  for (const auto& name : names) stored.push_back(DiskToArchiveName(name));
  std::vector<std::size_t> slots;
  std::vector<std::uint8_t> head = LayOutDirectory(stored, &slots);
  PAK_RETURN_IF_ERROR(sink.Append(head));

  // The bytes to copy, for the progress reports: each file's size as it is now, without opening
  // it. A file whose size cannot be told, or that changes before it is read, moves the total by
  // the difference when its turn comes, so that the bytes done never pass it.
  ProgressCount count{0, names.size(), 0, 0};
  std::vector<std::uint64_t> expected;
  if (progress) {
    expected.reserve(names.size());
    for (const auto& name : names) {
      const std::optional<FileId> id = fs.Identify(JoinPath(folder, name));
      expected.push_back(id ? id->size : 0);
      count.bytes_total += expected.back();
    }
  }

  // Files are opened a few ahead of the one being copied, each with a hint to
  // start reading it: with a cold cache, a folder of many small files is then
  // read from the disk many at a time rather than one seek after another.
  // An open that fails is reported when its file's turn comes.
  constexpr std::size_t kOpenAhead = 32;
  constexpr const char* kStopped = "The packing was stopped";
  std::deque<Result<std::unique_ptr<InputFile>>> ahead;
  std::size_t next = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (stop != nullptr && stop->load()) return Status::Cancelled(kStopped);
    for (; next < names.size() && next < i + kOpenAhead; ++next) {
      auto opened = fs.OpenForRead(JoinPath(folder, names[next]));
      if (opened.ok()) (*opened)->Prefetch();
      ahead.push_back(std::move(opened));
    }
    auto file = std::move(ahead.front());
    ahead.pop_front();
    if (!file.ok()) return file.status();
    const std::uint64_t offset = sink.size() - base;
    const std::uint64_t size = (*file)->size();
    if (offset + size > kMaxArchiveSize) {
      return Status::Refused("The archive would reach 2 GiB at " + Quoted(names[i]) +
                             "; an archive must stay below 2 GiB");
    }
    if (progress) count.bytes_total = count.bytes_total - expected[i] + size;
    // Inside the file, a report after each chunk but the last: the file's own report follows.
    const std::uint64_t file_end = count.bytes + size;
    PAK_RETURN_IF_ERROR(CopyInChunks(
        size, [&](std::uint64_t at, std::uint64_t n) { return sink.AppendFrom(**file, at, n); },
        [&](std::uint64_t n) {
          count.bytes += n;
          if (progress && count.bytes < file_end) progress(count);
        },
        stop, kStopped));
    StoreU32(&head[slots[i]], static_cast<std::uint32_t>(offset));
    StoreU32(&head[slots[i] + 4], static_cast<std::uint32_t>(size));
    count.entries = i + 1;
    if (progress) progress(count);
  }
  return sink.WriteAt(base, head);
}

Result<std::vector<std::uint8_t>> BuildPak(FileSystem& fs, const Path& folder,
                                           std::span<const std::u16string> names) {
  std::vector<std::uint8_t> out;
  MemorySink sink(&out);
  PAK_RETURN_IF_ERROR(WritePak(fs, folder, names, sink));
  return out;
}

}  // namespace pak

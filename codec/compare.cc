#include "codec/compare.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "codec/names.h"
#include "codec/text.h"

namespace pak {
namespace {

// Large enough that reading is not slowed by the number of calls, small
// enough to stay in the processor's cache while it is compared.
constexpr std::size_t kChunk = 256 * 1024;

// Compares entries with files through two buffers that it keeps.
class ByteComparer {
 public:
  ByteComparer() : entry_(new std::uint8_t[kChunk]), file_(new std::uint8_t[kChunk]) {}

  // Whether `file` holds exactly the bytes of entry `index`.
  Result<bool> Same(const PakArchive& archive, std::size_t index, InputFile& file) {
    const auto size = static_cast<std::uint64_t>(archive[index].size);
    if (file.size() != size) return false;
    for (std::uint64_t at = 0; at < size;) {
      const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, size - at));
      PAK_RETURN_IF_ERROR(archive.ReadEntry(index, at, {entry_.get(), n}));
      PAK_RETURN_IF_ERROR(file.ReadAt(at, {file_.get(), n}));
      if (std::memcmp(entry_.get(), file_.get(), n) != 0) return false;
      at += n;
    }
    return true;
  }

 private:
  std::unique_ptr<std::uint8_t[]> entry_;
  std::unique_ptr<std::uint8_t[]> file_;
};

struct Pair {
  std::size_t file;
  std::size_t entry;
  bool earlier = false;  // an entry that a later one with the same name took the file of
};

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Which entry a file stands for is what extraction on this system leaves: of entries whose names
// differ only in case, a case-insensitive file system keeps one file, with the last one's bytes;
// any other keeps one file each.
class EntryFiles {
 public:
  EntryFiles(const PakArchive& archive, NameRules rules)
      : archive_(archive), rules_(rules), earlier_(archive.size(), kNone) {
    folded_.reserve(archive.size());
    for (std::size_t i = 0; i < archive.size(); ++i) {
      std::size_t& last_folded =
          folded_.try_emplace(FoldCase(archive[i].name), kNone).first->second;
      if (rules == NameRules::kPosix) {
        std::size_t& last_exact = exact_.try_emplace(archive[i].name, kNone).first->second;
        earlier_[i] = last_exact;
        last_exact = i;
      } else {
        earlier_[i] = last_folded;
      }
      last_folded = i;
    }
  }

  // The entry each file stands for, kNone for a file without one. Exact names first, so that a
  // file whose name differs from its entry's only in case never takes the entry of a file that
  // carries its exact name.
  std::vector<std::size_t> Match(std::span<const std::u16string> files) {
    std::vector<std::size_t> entry_of(files.size(), kNone);
    const auto take = [&](std::size_t f, std::size_t i) {
      const bool fresh = rules_ == NameRules::kPosix
                             ? given_back_exact_.insert(archive_[i].name).second
                             : given_back_.insert(FoldCase(archive_[i].name)).second;
      if (fresh) entry_of[f] = i;
    };
    for (std::size_t f = 0; f < files.size(); ++f) {
      if (const auto it = exact_.find(files[f]); it != exact_.end()) take(f, it->second);
    }
    for (std::size_t f = 0; f < files.size(); ++f) {
      if (entry_of[f] != kNone) continue;
      if (const auto it = folded_.find(FoldCase(files[f])); it != folded_.end()) {
        take(f, it->second);
      }
    }
    return entry_of;
  }

  // The entry before `entry` that lands on the same file, or kNone.
  std::size_t Earlier(std::size_t entry) const { return earlier_[entry]; }

  // The entries no file stood for in Match, one for each file they would have made.
  std::vector<std::u16string> Missing() const {
    std::vector<std::u16string> missing;
    std::unordered_set<std::u16string> reported;
    for (std::size_t i = 0; i < archive_.size(); ++i) {
      const bool kept = rules_ == NameRules::kPosix
                            ? given_back_exact_.contains(archive_[i].name)
                            : given_back_.contains(FoldCase(archive_[i].name));
      if (kept) continue;
      const std::u16string key =
          rules_ == NameRules::kPosix ? archive_[i].name : FoldCase(archive_[i].name);
      if (reported.insert(key).second) missing.push_back(archive_[i].name);
    }
    return missing;
  }

 private:
  const PakArchive& archive_;
  NameRules rules_;
  std::unordered_map<std::u16string, std::size_t> folded_;
  std::unordered_map<std::u16string_view, std::size_t> exact_;
  std::vector<std::size_t> earlier_;  // for each entry, the one before it on the same file
  std::unordered_set<std::u16string> given_back_;  // entries a file stands for, by folded name
  std::unordered_set<std::u16string_view> given_back_exact_;
};

// Compares each pair's file with its entry, front to back through the archive, and sorts the
// pairs that differ into `modified` (file indices) and `overwritten` (entry indices). Files are
// opened a few ahead of the one being compared, and those of the entry's size (the only ones that
// will be read) with a hint to start reading them, so that with a cold cache the disk reads
// several at a time.
Status ComparePairs(FileSystem& fs, const PakArchive& archive, const Path& folder,
                    std::span<const std::u16string> files, std::vector<Pair> pairs,
                    const Progress& progress, std::vector<std::size_t>* modified,
                    std::vector<std::size_t>* overwritten) {
  std::sort(pairs.begin(), pairs.end(), [&](const Pair& a, const Pair& b) {
    return archive[a.entry].offset < archive[b.entry].offset;
  });
  constexpr std::size_t kOpenAhead = 16;
  std::deque<Result<std::unique_ptr<InputFile>>> ahead;
  std::size_t next = 0;
  ByteComparer comparer;
  for (std::size_t k = 0; k < pairs.size(); ++k) {
    for (; next < pairs.size() && next < k + kOpenAhead; ++next) {
      auto opened = fs.OpenForRead(JoinPath(folder, files[pairs[next].file]));
      if (opened.ok() &&
          (*opened)->size() == static_cast<std::uint64_t>(archive[pairs[next].entry].size)) {
        (*opened)->Prefetch();
      }
      ahead.push_back(std::move(opened));
    }
    const Pair& pair = pairs[k];
    auto file = std::move(ahead.front());
    ahead.pop_front();
    if (!file.ok()) return file.status();
    auto same = comparer.Same(archive, pair.entry, **file);
    if (!same.ok()) return same.status();
    if (!*same && pair.earlier) {
      overwritten->push_back(pair.entry);
    } else if (!*same) {
      modified->push_back(pair.file);
    }
    if (progress) progress(k + 1, pairs.size());
  }
  return Status::Ok();
}

}  // namespace

Result<ContentDifference> CompareWithArchive(FileSystem& fs, const PakArchive& archive,
                                             const Path& folder,
                                             std::span<const std::u16string> files, NameRules rules,
                                             const Progress& progress) {
  EntryFiles entries(archive, rules);
  const std::vector<std::size_t> entry_of = entries.Match(files);
  ContentDifference diff;
  std::vector<Pair> pairs;
  for (std::size_t f = 0; f < files.size(); ++f) {
    if (entry_of[f] == kNone) {
      diff.added.push_back(files[f]);
      continue;
    }
    pairs.push_back({f, entry_of[f]});
    for (std::size_t i = entries.Earlier(entry_of[f]); i != kNone; i = entries.Earlier(i)) {
      pairs.push_back({f, i, true});
    }
  }
  diff.deleted = entries.Missing();

  // Modified files are reported in the order they were given, overwritten entries in the
  // archive's.
  std::vector<std::size_t> modified;
  std::vector<std::size_t> overwritten;
  PAK_RETURN_IF_ERROR(ComparePairs(fs, archive, folder, files, std::move(pairs), progress,
                                   &modified, &overwritten));
  std::sort(modified.begin(), modified.end());
  for (std::size_t f : modified) diff.modified.push_back(files[f]);
  std::sort(overwritten.begin(), overwritten.end());
  for (std::size_t i : overwritten) diff.overwritten.push_back({i, archive[i].name});
  return diff;
}

Result<bool> SameEntryBytes(const PakArchive& archive, std::size_t a, std::size_t b) {
  if (a == b) return true;
  const auto size = static_cast<std::uint64_t>(archive[a].size);
  if (static_cast<std::uint64_t>(archive[b].size) != size) return false;
  std::vector<std::uint8_t> first(static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, size)));
  std::vector<std::uint8_t> second(first.size());
  for (std::uint64_t at = 0; at < size;) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, size - at));
    PAK_RETURN_IF_ERROR(archive.ReadEntry(a, at, {first.data(), n}));
    PAK_RETURN_IF_ERROR(archive.ReadEntry(b, at, {second.data(), n}));
    if (std::memcmp(first.data(), second.data(), n) != 0) return false;
    at += n;
  }
  return true;
}

Status VerifyPackedArchive(FileSystem& fs, const Path& archive_path, const Path& folder,
                           std::span<const std::u16string> names) {
  const std::string failed = "Verification failed: the archive written ";
  auto archive = OpenPakFile(fs, archive_path);
  if (!archive.ok()) {
    return Status::IoError(failed + "cannot be read back: " + archive.status().message(), EIO);
  }
  if (archive->size() != names.size()) {
    return Status::IoError(failed + "holds " + std::to_string(archive->size()) +
                               " entries instead of " + std::to_string(names.size()),
                           EIO);
  }
  ByteComparer comparer;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string file = "\"" + ToUtf8(names[i]) + "\"";
    if ((*archive)[i].stored_name != DiskToArchiveName(names[i])) {
      return Status::IoError(failed + "names " + DescribeEntry(i, (*archive)[i].stored_name) +
                                 " where " + file + " belongs",
                             EIO);
    }
    auto input = fs.OpenForRead(JoinPath(folder, names[i]));
    if (!input.ok()) return input.status();
    auto same = comparer.Same(*archive, i, **input);
    if (!same.ok()) return same.status();
    if (!*same) {
      return Status::IoError(
          failed + "does not hold the bytes of " + file + " (did it change while it was packed?)",
          EIO);
    }
  }
  return Status::Ok();
}

}  // namespace pak

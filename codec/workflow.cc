#include "codec/workflow.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

#include "codec/compare.h"
#include "codec/files_list.h"
#include "codec/staged_file.h"

namespace pak {
namespace {

class FileSink final : public ByteSink {
 public:
  explicit FileSink(OutputFile& out) : out_(out) {}
  Status Append(std::span<const std::uint8_t> bytes) override { return out_.Append(bytes); }
  Status AppendFrom(InputFile& in, std::uint64_t offset, std::uint64_t size) override {
    return out_.AppendFrom(in, offset, size);
  }
  Status WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
    return out_.WriteAt(offset, bytes);
  }
  std::uint64_t size() const override { return out_.size(); }

 private:
  OutputFile& out_;
};

// Names folded for case-insensitive comparison, all in one buffer: a folder of
// tens of thousands of files would otherwise cost an allocation per name and
// per comparison, which was most of a scan's time.
class FoldedNames {
 public:
  explicit FoldedNames(std::span<const std::u16string> names) {
    std::size_t total = 0;
    for (const auto& name : names) total += name.size();
    text_.reserve(total);
    starts_.reserve(names.size() + 1);
    for (const auto& name : names) {
      starts_.push_back(text_.size());
      for (char16_t c : name) text_.push_back(FoldCase(c));
    }
    starts_.push_back(text_.size());
  }
  std::size_t size() const { return starts_.size() - 1; }
  std::u16string_view operator[](std::size_t i) const {
    return std::u16string_view(text_).substr(starts_[i], starts_[i + 1] - starts_[i]);
  }

 private:
  std::u16string text_;
  std::vector<std::size_t> starts_;
};

constexpr const char* kExtractionStopped = "The extraction was stopped";

std::span<const std::uint8_t> AsBytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Writes entries into one folder. A new file takes its name as soon as it is complete: it
// replaces nothing and needs no flush. A file that replaces another must be on the disk before it
// takes the name; flushing each one on its own waits for the disk once per file, which made
// extracting many small files over an earlier extraction ten times slower. So such files wait,
// complete but unnamed, until a batch of them is flushed with one call for the whole file system
// where the system has one, and each on its own where it has not; then they take their names.
// The caller flushes the folder once at the end.
class EntryWriter {
 public:
  EntryWriter(FileSystem& fs, const PakArchive& archive, const Path& folder)
      : fs_(fs),
        archive_(archive),
        folder_(folder),
        batch_files_(std::min(kBatchFiles, fs.SpareFileHandles())) {}

  // Writes entry `index`, a chunk at a time: `copied(n)` hears of each chunk, and a `stop` set
  // meanwhile drops the entry (its file never takes the name). `done(index)` runs once the
  // entry's file holds its name.
  Status Write(std::size_t index, const std::function<void(std::uint64_t)>& copied,
               const StopFlag* stop, const std::function<void(std::size_t)>& done) {
    auto target = StagedFile::Open(fs_, JoinPath(folder_, archive_[index].name),
                                   StagedFile::Flush::kWhenReplacing);
    if (!target.ok()) return target.status();
    OutputFile& file = (*target)->file();
    PAK_RETURN_IF_ERROR(CopyInChunks(
        static_cast<std::uint64_t>(archive_[index].size),
        [&](std::uint64_t at, std::uint64_t n) { return archive_.CopyEntry(index, at, n, file); },
        copied, stop, kExtractionStopped));
    auto named = (*target)->CommitIfNoFlush();
    if (!named.ok()) return named.status();
    if (*named) {
      done(index);
      return Status::Ok();
    }
    waiting_bytes_ += archive_[index].size;
    waiting_.push_back({index, std::move(target).value()});
    if (waiting_.size() < batch_files_ && waiting_bytes_ < kBatchBytes) return Status::Ok();
    return PutWaitingInPlace(done);
  }

  // Puts the files that wait into place, also after a failure: what was written whole takes its
  // name. The folder still needs its flush when replaced() says so.
  Status Flush(const std::function<void(std::size_t)>& done) { return PutWaitingInPlace(done); }

  // Drops the files that wait, after a stop: their old files stay as they were, whole. Putting
  // them in place would first flush the whole file system, which may take seconds when much else
  // waits to be written, and a stop must be quick.
  void Drop() {
    waiting_.clear();
    waiting_bytes_ = 0;
  }

  // Whether a file took another's place.
  bool replaced() const { return replaced_; }

 private:
  // At most this many files, or bytes, wait for a flush: open files are a limited resource (fewer
  // still where the process may hold few, 256 in all by default on some systems), and bytes that
  // wait long are written out by the system anyway.
  static constexpr std::size_t kBatchFiles = 256;
  static constexpr std::uint64_t kBatchBytes = 64u << 20;

  Status PutWaitingInPlace(const std::function<void(std::size_t)>& done) {
    if (waiting_.empty()) return Status::Ok();
    const bool flushed = fs_.SyncFileSystem(folder_).ok();
    Status status;
    for (auto& [index, file] : waiting_) {
      if (status.ok() && flushed) status = file->Finish(StagedFile::FileFlush::kDone);
      if (status.ok()) status = file->Commit(StagedFile::FolderFlush::kLater);
      if (!status.ok()) continue;  // the rest are dropped, their old files whole
      replaced_ = true;
      done(index);
    }
    waiting_.clear();
    waiting_bytes_ = 0;
    return status;
  }

  FileSystem& fs_;
  const PakArchive& archive_;
  const Path& folder_;
  const std::size_t batch_files_;
  std::vector<std::pair<std::size_t, std::unique_ptr<StagedFile>>> waiting_;
  std::uint64_t waiting_bytes_ = 0;
  bool replaced_ = false;
};

// Writes the entries at `order` into `folder`, in that order, until one fails or `stop` is set;
// `done(index)` runs once an entry's file holds its name, and `progress` hears of it with the
// bytes copied, and of each chunk inside an entry. Files that wait for a flush are put in place
// also after a failure, and dropped after a stop. *replaced says whether a file took another's
// place, so that the folder needs its flush.
Status WriteEntries(FileSystem& fs, const PakArchive& archive, const Path& folder,
                    std::span<const std::size_t> order, const Progress& progress,
                    const StopFlag* stop, const std::function<void(std::size_t)>& done,
                    bool* replaced) {
  ProgressCount count{0, order.size(), 0, 0};
  for (std::size_t index : order)
    count.bytes_total += static_cast<std::uint64_t>(archive[index].size);
  const auto named = [&](std::size_t index) {
    done(index);
    ++count.entries;
    if (progress) progress(count);
  };
  EntryWriter writer(fs, archive, folder);
  Status status;
  for (std::size_t index : order) {
    if (stop != nullptr && stop->load()) {
      status = Status::Cancelled(kExtractionStopped);
      break;
    }
    // Inside the entry, a report after each chunk but the last: the entry's own report follows
    // once it has its name.
    const std::uint64_t entry_end = count.bytes + static_cast<std::uint64_t>(archive[index].size);
    const auto copied = [&](std::uint64_t n) {
      count.bytes += n;
      if (progress && count.bytes < entry_end) progress(count);
    };
    status = writer.Write(index, copied, stop, named);
    if (!status.ok()) break;
  }
  if (status.kind() == Status::Kind::kCancelled) {
    writer.Drop();
  } else {
    const Status flushed = writer.Flush(named);
    if (status.ok()) status = flushed;
  }
  *replaced = writer.replaced();
  return status;
}

}  // namespace

Result<std::vector<NameClash>> LostEntries(const PakArchive& archive,
                                           std::span<const std::size_t> order, bool ignore_case) {
  std::vector<std::u16string_view> names;
  names.reserve(order.size());
  for (std::size_t index : order) names.push_back(archive[index].name);
  std::vector<NameClash> lost;
  for (const NameClash& clash : FindNameClashes(names, ignore_case)) {
    const NameClash entries{order[clash.lost], order[clash.kept]};
    auto same = SameEntryBytes(archive, entries.lost, entries.kept);
    if (!same.ok()) return same.status();
    if (!*same) lost.push_back(entries);
  }
  return lost;
}

std::string DescribeLostEntries(const PakArchive& archive, std::span<const NameClash> lost) {
  // A message box must stay readable: a few pairs show what happened, the count the rest.
  constexpr std::size_t kShown = 5;
  std::string text;
  for (std::size_t k = 0; k < lost.size() && k < kShown; ++k) {
    if (k > 0) text += ", ";
    text += DescribeEntry(lost[k].lost, archive[lost[k].lost].name) + " by " +
            DescribeEntry(lost[k].kept, archive[lost[k].kept].name);
  }
  if (lost.size() > kShown) text += ", and " + std::to_string(lost.size() - kShown) + " more";
  return text;
}

Result<std::vector<NameClash>> LostInFolder(FileSystem& fs, const PakArchive& archive,
                                            std::span<const std::size_t> order, const Path& folder,
                                            NameRules rules) {
  bool ignore_case = rules == NameRules::kWindows;
  if (!ignore_case) {
    std::vector<std::u16string_view> names;
    names.reserve(order.size());
    for (std::size_t index : order) names.push_back(archive[index].name);
    // Names that differ only in case are the only ones that ask the folder; a folder that
    // cannot tell is taken to keep them apart, as most Linux folders do.
    if (FindNameClashes(names, true).size() != FindNameClashes(names, false).size()) {
      auto ignores = fs.IgnoresCase(folder);
      ignore_case = ignores.ok() && *ignores;
    }
  }
  return LostEntries(archive, order, ignore_case);
}

namespace {

// The failure of an extraction that wrote everything, but in which `lost` entries were replaced
// by later ones.
Status LostEntriesStatus(const PakArchive& archive, std::span<const NameClash> lost,
                         bool with_list) {
  return Status::Refused(
      std::to_string(lost.size()) + (lost.size() == 1 ? " entry was" : " entries were") +
      " replaced by a later entry that lands on the same file, so " +
      (lost.size() == 1 ? "its" : "their") + " bytes are in no file of the folder: " +
      DescribeLostEntries(archive, lost) + ". Every other entry" +
      (with_list ? " and " + ToUtf8(kFilesListName) : std::string()) + " was written");
}

}  // namespace

Status CheckExtractNames(const PakArchive& archive, NameRules rules) {
  for (std::size_t i = 0; i < archive.size(); ++i) {
    PAK_RETURN_IF_ERROR(CheckEntryName(archive[i].name, i, rules));
  }
  return Status::Ok();
}

Status CheckExtractTargets(FileSystem& fs, const PakArchive& archive, const Path& folder) {
  const std::optional<FileId> source = archive.source_id();
  if (!source) return Status::Ok();
  // The folder is read once for the names that lead to the archive; a fresh folder costs
  // nothing per entry. A name that matches one of them only when case is ignored is looked up
  // on its own, for folders that ignore case. A folder that cannot be read (but perhaps
  // written) is checked name by name instead.
  auto names = fs.NamesOfFile(folder, *source);
  if (names.ok() && names->empty()) return Status::Ok();
  std::unordered_set<std::u16string> exact, folded;
  if (names.ok()) {
    exact.insert(names->begin(), names->end());
    for (const auto& name : *names) folded.insert(FoldCase(name));
  }
  auto leads_to_archive = [&](std::u16string_view name) {
    if (!names.ok()) return fs.Identify(JoinPath(folder, name)) == source;
    if (exact.contains(std::u16string(name))) return true;
    return folded.contains(FoldCase(name)) && fs.Identify(JoinPath(folder, name)) == source;
  };
  if (leads_to_archive(kFilesListName)) {
    return Status::Refused("The archive is the folder's " + ToUtf8(kFilesListName) +
                           ", which extraction replaces; choose another folder. Nothing was "
                           "extracted");
  }
  for (std::size_t i = 0; i < archive.size(); ++i) {
    if (leads_to_archive(archive[i].name)) {
      return Status::Refused("Unsafe target: " + DescribeEntry(i, archive[i].name) +
                             " would replace the archive being extracted; choose another "
                             "folder. Nothing was extracted");
    }
  }
  return Status::Ok();
}

Status ExtractAll(FileSystem& fs, const PakArchive& archive, const Path& folder,
                  const CodePage& code_page, NameRules rules, const Progress& progress,
                  const StopFlag* stop, std::span<const std::size_t> kept) {
  PAK_RETURN_IF_ERROR(CheckExtractNames(archive, rules));
  PAK_RETURN_IF_ERROR(CheckExtractTargets(fs, archive, folder));
  // The list is staged first: a folder that cannot be written fails here, before any file in it
  // changes. It records the entries whose files were written, and replaces the old list at the
  // end, also after a failure, so that it never names a file that holds other bytes.
  auto list =
      StagedFile::Open(fs, JoinPath(folder, kFilesListName), StagedFile::Flush::kWhenReplacing);
  if (!list.ok()) return list.status();
  // Entries that land on one file are found before anything is written, once the folder is
  // known to be writable, and reported once everything else is.
  // A kept entry's file is in the folder as much as a written one's, and the list names it.
  std::vector<bool> written(archive.size(), false);
  for (std::size_t index : kept) {
    if (index < archive.size()) written[index] = true;
  }
  std::vector<std::size_t> order;
  order.reserve(archive.size());
  for (std::size_t i = 0; i < archive.size(); ++i) {
    if (!written[i]) order.push_back(i);
  }
  auto lost = LostInFolder(fs, archive, order, folder, rules);
  if (!lost.ok()) return lost.status();
  // Entries that wait for a flush take their names later than those after them; the list
  // follows the archive's order all the same.
  std::size_t count = 0;  // entries written
  auto done = [&](std::size_t i) {
    written[i] = true;
    ++count;
  };
  bool replaced = false;
  Status status = WriteEntries(fs, archive, folder, order, progress, stop, done, &replaced);
  // The list names the entries written, up to the first that was not.
  std::string lines;
  for (std::size_t i = 0; i < archive.size() && written[i]; ++i) {
    lines += FilesListLine(archive[i].name, code_page);
  }
  // After a failure before the first file, nothing changed, and the old list stays too.
  if (!status.ok() && count == 0) return status;
  Status listed = (*list)->file().Append(AsBytes(lines));
  if (listed.ok()) listed = (*list)->Commit(StagedFile::FolderFlush::kLater);
  if (status.ok()) status = listed;
  // A kept file read as changed because it was later than the old list; it must stay later than
  // the new one, or the next extraction would replace it unasked.
  for (std::size_t index : kept) {
    if (!listed.ok() || index >= archive.size()) break;
    const Path file = JoinPath(folder, archive[index].name);
    if (!fs.Stamp(file)) continue;  // deleted meanwhile: nothing to keep
    const Status marked = fs.MarkModifiedAfter(file, JoinPath(folder, kFilesListName));
    if (status.ok()) status = marked;
  }
  // One folder flush for every file moved into it.
  if (replaced || (*list)->replaced()) {
    const Status synced = fs.SyncFolder(folder);
    if (status.ok()) status = synced;
  }
  if (status.ok() && !lost->empty()) status = LostEntriesStatus(archive, *lost, true);
  return status;
}

Status ExtractSelected(FileSystem& fs, const PakArchive& archive, const Path& folder,
                       std::span<const std::size_t> indices, NameRules rules,
                       const Progress& progress, const StopFlag* stop) {
  for (std::size_t index : indices) {
    if (index >= archive.size()) {
      return Status::Refused("No entry " + std::to_string(index + 1) + " in an archive of " +
                             std::to_string(archive.size()) + " entries. Nothing was extracted");
    }
  }
  PAK_RETURN_IF_ERROR(CheckExtractNames(archive, rules));
  PAK_RETURN_IF_ERROR(CheckExtractTargets(fs, archive, folder));
  auto lost = LostInFolder(fs, archive, indices, folder, rules);
  if (!lost.ok()) return lost.status();
  bool replaced = false;
  Status status = WriteEntries(
      fs, archive, folder, indices, progress, stop, [](std::size_t) {}, &replaced);
  if (replaced) {
    const Status synced = fs.SyncFolder(folder);
    if (status.ok()) status = synced;
  }
  if (status.ok() && !lost->empty()) status = LostEntriesStatus(archive, *lost, false);
  return status;
}

namespace {

// Sorts `names` in the order of LessIgnoreCase (folded text, then the exact text), with each name
// folded once rather than on every comparison.
void SortNames(std::vector<std::u16string>& names) {
  const FoldedNames folded(names);
  std::vector<std::size_t> order(names.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const int by_folded = folded[a].compare(folded[b]);
    if (by_folded != 0) return by_folded < 0;
    return names[a] < names[b];
  });
  std::vector<std::u16string> sorted;
  sorted.reserve(order.size());
  for (std::size_t i : order) sorted.push_back(std::move(names[i]));
  names = std::move(sorted);
}

// Names left out without a word: the list, and the file that is never packed.
bool IsOwnFile(std::u16string_view name) {
  return EqualsIgnoreCase(name, kFilesListName) || EqualsIgnoreCase(name, kFamilyBinName);
}

// The names the list at `list` records (RecordedNames). A file larger than any list is refused
// before it is read.
Result<std::vector<std::u16string>> ReadFilesList(FileSystem& fs, const Path& list,
                                                  const CodePage& code_page) {
  auto file = fs.OpenForRead(list);
  if (!file.ok()) return file.status();
  const std::uint64_t limit = MaxFilesListSize(code_page);
  if ((*file)->size() > limit) {
    return Status::Refused(DisplayPath(list) + " holds " + std::to_string((*file)->size()) +
                           " bytes, more than a list of files can (" + std::to_string(limit) +
                           "); it was not read and nothing was written");
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>((*file)->size()));
  PAK_RETURN_IF_ERROR((*file)->ReadAt(0, bytes));
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return RecordedNames(text, code_page);
}

}  // namespace

Result<std::vector<std::size_t>> ChangedSinceExtraction(FileSystem& fs, const Path& folder,
                                                        std::span<const std::u16string> names,
                                                        const CodePage& code_page,
                                                        NameRules rules) {
  const Path list = JoinPath(folder, kFilesListName);
  const std::optional<FileStamp> listed = fs.Stamp(list);
  if (!listed) return std::vector<std::size_t>{};
  auto recorded = ReadFilesList(fs, list, code_page);
  if (!recorded.ok()) return recorded.status();
  const bool ignore_case = rules == NameRules::kWindows;
  std::unordered_set<std::u16string> extracted;
  for (const auto& name : *recorded) extracted.insert(ignore_case ? FoldCase(name) : name);
  std::vector<std::size_t> changed;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!extracted.contains(ignore_case ? FoldCase(names[i]) : names[i])) continue;
    const std::optional<FileStamp> stamp = fs.Stamp(JoinPath(folder, names[i]));
    if (stamp && stamp->modified > listed->modified) changed.push_back(i);
  }
  return changed;
}

std::vector<std::size_t> ExistingFiles(FileSystem& fs, const Path& folder,
                                       std::span<const std::u16string> names) {
  std::vector<std::size_t> existing;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (fs.Stamp(JoinPath(folder, names[i]))) existing.push_back(i);
  }
  return existing;
}

Result<FolderScan> ScanFolder(FileSystem& fs, const Path& folder, const CodePage& code_page,
                              const StopFlag* stop, bool follow_links) {
  const auto stopped = [stop] { return stop != nullptr && stop->load(); };
  const auto cancelled = [] { return Status::Cancelled("The folder scan was stopped"); };
  if (stopped()) return cancelled();
  auto listing = fs.ListFolder(folder);
  if (!listing.ok()) return listing.status();
  if (stopped()) return cancelled();
  FolderScan scan;
  const auto take = [&](std::u16string& name, bool outside) -> Status {
    if (EqualsIgnoreCase(name, kFilesListName)) {
      // Only read, never packed: through a link too.
      scan.files_list_found = true;
      auto recorded = ReadFilesList(fs, JoinPath(folder, name), code_page);
      if (!recorded.ok()) return recorded.status();
      scan.recorded_names = std::move(recorded).value();
    } else if (!EqualsIgnoreCase(name, kFamilyBinName)) {
      (outside && !follow_links ? scan.outside_links : scan.files).push_back(std::move(name));
    }
    return Status::Ok();
  };
  for (auto& name : listing->files) PAK_RETURN_IF_ERROR(take(name, false));
  for (auto& name : listing->outside_links) PAK_RETURN_IF_ERROR(take(name, true));
  for (auto& file : listing->left_out) {
    if (!IsOwnFile(file.name)) scan.left_out.push_back(std::move(file));
  }
  // What an extraction wrote must pack back: a recorded file that the listing passed over as
  // hidden (a name starting with a dot, a hidden attribute) is a file to pack like the others.
  // Only names that are safe inside the folder are looked up.
  if (!scan.recorded_names.empty()) {
    std::unordered_set<std::u16string> listed;
    for (const auto& name : scan.files) listed.insert(FoldCase(name));
    for (const auto& name : scan.outside_links) listed.insert(FoldCase(name));
    for (const auto& name : scan.recorded_names) {
      // One look at the disk per recorded name: a long list is worth stopping in.
      if (stopped()) return cancelled();
      if (name.empty() || EntryNameFault(name, HostNameRules()) != nullptr ||
          EqualsIgnoreCase(name, kFamilyBinName) || listed.contains(FoldCase(name))) {
        continue;
      }
      if (fs.IsFile(JoinPath(folder, name))) {
        const bool outside = !follow_links && fs.LeadsOutside(folder, name);
        (outside ? scan.outside_links : scan.files).push_back(name);
        listed.insert(FoldCase(name));
      }
    }
  }
  if (stopped()) return cancelled();
  SortNames(scan.files);
  SortNames(scan.outside_links);
  std::sort(scan.left_out.begin(), scan.left_out.end(),
            [](const LeftOutFile& a, const LeftOutFile& b) { return a.name < b.name; });
  return scan;
}

Status CheckFolderLinks(const FolderScan& scan) {
  if (scan.outside_links.empty()) return Status::Ok();
  std::string names;
  for (const auto& name : scan.outside_links) {
    if (!names.empty()) names += ", ";
    names += "\"" + ToUtf8(name) + "\"";
  }
  const bool one = scan.outside_links.size() == 1;
  return Status::Refused(std::string(one ? "A link" : "Links") + " in the folder " +
                         (one ? "leads" : "lead") + " to " + (one ? "a file" : "files") +
                         " outside it: " + names +
                         ". Links out of the folder are not packed; nothing was written");
}

std::string LeftOutNote(const LeftOutFile& file) {
  const char* why = "";
  switch (file.reason) {
    case LeftOutReason::kPipe:
      why = "a named pipe (FIFO)";
      break;
    case LeftOutReason::kDevice:
      why = "a device";
      break;
    case LeftOutReason::kSocket:
      why = "a socket";
      break;
    case LeftOutReason::kSpecial:
      why = "not an ordinary file";
      break;
    case LeftOutReason::kLinkToFolder:
      why = "a link to a folder";
      break;
    case LeftOutReason::kLinkToPipe:
      why = "a link to a named pipe (FIFO)";
      break;
    case LeftOutReason::kLinkToDevice:
      why = "a link to a device";
      break;
    case LeftOutReason::kLinkToSocket:
      why = "a link to a socket";
      break;
    case LeftOutReason::kLinkToSpecial:
      why = "a link to what is not an ordinary file";
      break;
    case LeftOutReason::kDanglingLink:
      why = "a link to nothing: what it names does not exist";
      break;
    case LeftOutReason::kLinkLoop:
      why = "a link that leads round in a loop";
      break;
    case LeftOutReason::kUnexamined:
      why = "a file the system would not let us examine";
      break;
  }
  return "Not packed: \"" + ToUtf8(file.name) + "\", " + why;
}

NameDifference CompareNames(const FolderScan& scan) {
  // Sets of views that ignore case: no folded copy of a long list is ever made.
  using NameSet = std::unordered_set<std::u16string_view, IgnoreCaseHash, IgnoreCaseEqual>;
  NameDifference diff;
  const NameSet recorded(scan.recorded_names.begin(), scan.recorded_names.end());
  NameSet present(scan.files.begin(), scan.files.end());
  // A link out of the folder is there, though not packed: it is no recorded file deleted.
  present.insert(scan.outside_links.begin(), scan.outside_links.end());
  for (const auto& file : scan.files) {
    if (!recorded.contains(file) && !EqualsIgnoreCase(file, kFilesListName)) {
      diff.added.push_back(file);
    }
  }
  for (const auto& name : scan.recorded_names) {
    if (!name.empty() && !present.contains(name)) diff.deleted.push_back(name);
  }
  diff.needs_confirmation = (!diff.added.empty() && scan.files_list_found) || !diff.deleted.empty();
  return diff;
}

Status CheckPackTarget(FileSystem& fs, const Path& folder, std::span<const std::u16string> names,
                       const Path& archive_path) {
  auto refuse = [&](const std::string& what) {
    return Status::Refused("The archive to write, " + DisplayPath(archive_path) + ", is " + what +
                           "; choose another file. Nothing was written");
  };
  // The list's name in the folder, in any letter case, is refused whether or not a file has it
  // yet: the folder would otherwise end up with two lists.
  Path parent = archive_path.parent_path();
  if (parent.empty()) parent = ".";
  const bool named_as_list = EqualsIgnoreCase(archive_path.filename().u16string(), kFilesListName);
  if (named_as_list) {
    const std::optional<FileId> parent_id = fs.Identify(parent);
    if (parent_id && parent_id == fs.Identify(folder)) {
      return refuse("the folder's " + ToUtf8(kFilesListName));
    }
  }
  const std::optional<FileId> target = fs.Identify(archive_path);
  if (!target) return Status::Ok();  // a new file cannot be one of the inputs
  if (fs.Identify(JoinPath(folder, kFilesListName)) == target) {
    return refuse("the folder's " + ToUtf8(kFilesListName));
  }
  for (const auto& name : names) {
    if (fs.Identify(JoinPath(folder, name)) == target) {
      return refuse("\"" + ToUtf8(name) + "\", one of the files being packed");
    }
  }
  return Status::Ok();
}

Status PackFolder(FileSystem& fs, const Path& folder, std::span<const std::u16string> names,
                  const Path& archive_path, const Progress& progress, bool verify,
                  const StopFlag* stop) {
  // Refuse bad names before anything is created.
  PAK_RETURN_IF_ERROR(CheckPackNames(names));
  PAK_RETURN_IF_ERROR(CheckPackTarget(fs, folder, names, archive_path));
  auto target =
      StagedFile::Open(fs, archive_path, StagedFile::Flush::kAlways,
                       verify ? StagedFile::Access::kReadable : StagedFile::Access::kWriteOnly);
  if (!target.ok()) return target.status();
  FileSink sink((*target)->file());
  PAK_RETURN_IF_ERROR(WritePak(fs, folder, names, sink, progress, stop));
  if (verify) {
    PAK_RETURN_IF_ERROR((*target)->Finish());
    Status checked = VerifyPackedArchive(fs, (*target)->written(), folder, names);
    if (!checked.ok()) {
      return Status::IoError(
          checked.message() + "; " + DisplayPath(archive_path) + " was left as it was",
          checked.error_number());
    }
  }
  return (*target)->Commit(StagedFile::FolderFlush::kNow);
}

}  // namespace pak

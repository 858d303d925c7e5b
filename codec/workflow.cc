#include "codec/workflow.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "codec/compare.h"
#include "codec/files_list.h"

namespace pak {
namespace {

// Writes into a temporary file and moves it over the target on Commit; the
// destructor removes what was not committed. With `in_place`, a target that
// does not exist yet is created exclusively and written where it stands: there
// is no old file to keep whole, the destructor deletes the partial one just the
// same, and the extra directory entry and rename per file (which cost about as
// much as creating the file itself) are saved.
class StagedFile {
 public:
  StagedFile(FileSystem& fs, Path target, bool in_place = false)
      : fs_(fs), target_(std::move(target)), in_place_(in_place) {}
  ~StagedFile() {
    if (file_ != nullptr) (void)file_->Close();
    if (!temp_.empty()) (void)fs_.Remove(temp_);
  }

  Status Open() {
    if (in_place_) {
      // Any failure here (mostly: the file exists) takes the temporary file's
      // way, which also reports the errors the same way as always.
      auto direct = fs_.CreateNew(target_);
      if (direct.ok() && *direct != nullptr) {
        file_ = std::move(direct).value();
        temp_ = target_;
        direct_ = true;
        return Status::Ok();
      }
    }
    auto file = fs_.CreateTemporary(Folder(), target_.filename().u16string(), &temp_);
    if (!file.ok()) return file.status();
    file_ = std::move(file).value();
    return Status::Ok();
  }
  OutputFile& file() { return *file_; }
  // Where the bytes are being written.
  const Path& written() const { return temp_; }

  // Flushes the file to the disk when it is to take another's place, and closes it; Commit then
  // only moves it into place. A file that takes another's place is flushed before the move: a
  // power cut then leaves the old file or the new one whole, never the name over data that were
  // never written. A file created in place replaced nothing and needs no flush.
  Status Close() {
    std::unique_ptr<OutputFile> file = std::move(file_);
    if (file == nullptr) return Status::Ok();
    if (!direct_) PAK_RETURN_IF_ERROR(file->Sync());
    return file->Close();
  }

  // Closes the file and gives it the target's name, then flushes the folder so that the move
  // lasts.
  Status Commit() {
    PAK_RETURN_IF_ERROR(CommitKeepingFolder());
    return replaced_ ? fs_.SyncFolder(Folder()) : Status::Ok();
  }

  // Commit without the folder flush, for a caller that moves many files into one folder and
  // flushes it once at the end (when replaced() says a move happened).
  Status CommitKeepingFolder() {
    PAK_RETURN_IF_ERROR(Close());
    if (!direct_) PAK_RETURN_IF_ERROR(fs_.Replace(temp_, target_));
    temp_.clear();
    replaced_ = !direct_;
    return Status::Ok();
  }
  bool replaced() const { return replaced_; }

 private:
  Path Folder() const {
    Path folder = target_.parent_path();
    return folder.empty() ? Path(".") : folder;
  }

  FileSystem& fs_;
  Path target_;
  bool in_place_;
  bool direct_ = false;
  bool replaced_ = false;
  Path temp_;  // what to delete when not committed
  std::unique_ptr<OutputFile> file_;
};

class FileSink final : public ByteSink {
 public:
  explicit FileSink(OutputFile& out) : out_(out) {}
  Status Append(std::span<const std::uint8_t> bytes) override { return out_.Append(bytes); }
  Status AppendFrom(InputFile& in, std::uint64_t size) override {
    return out_.AppendFrom(in, 0, size);
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

std::span<const std::uint8_t> AsBytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

Status CheckExtractNames(const PakArchive& archive, NameRules rules) {
  for (std::size_t i = 0; i < archive.size(); ++i) {
    PAK_RETURN_IF_ERROR(CheckEntryName(archive[i].Name, i, rules));
  }
  return Status::Ok();
}

Status ExtractAll(FileSystem& fs, const PakArchive& archive, const Path& folder,
                  const CodePage& code_page, NameRules rules, const Progress& progress) {
  PAK_RETURN_IF_ERROR(CheckExtractNames(archive, rules));
  StagedFile list(fs, JoinPath(folder, kFilesListName), /*in_place=*/true);
  PAK_RETURN_IF_ERROR(list.Open());
  Status status;
  bool list_written = true;
  bool replaced = false;
  for (std::size_t i = 0; i < archive.size() && status.ok(); ++i) {
    const PakEntry& entry = archive[i];
    status = list.file().Append(AsBytes(FilesListLine(entry.Name, code_page)));
    list_written = status.ok();
    if (status.ok()) {
      StagedFile target(fs, JoinPath(folder, entry.Name), /*in_place=*/true);
      status = target.Open();
      if (status.ok()) status = archive.CopyEntry(i, target.file());
      if (status.ok()) status = target.CommitKeepingFolder();
      replaced = replaced || target.replaced();
    }
    if (status.ok() && progress) progress(i + 1, archive.size());
  }
  // After an entry failed the list is kept too, ending with that entry's name; a list that could
  // not be written is dropped, and an old one stays as it was.
  if (list_written) {
    const Status listed = list.CommitKeepingFolder();
    if (status.ok()) status = listed;
    replaced = replaced || list.replaced();
  }
  // One folder flush for every file moved into it.
  if (replaced) {
    const Status synced = fs.SyncFolder(folder);
    if (status.ok()) status = synced;
  }
  return status;
}

Status ExtractSelected(FileSystem& fs, const PakArchive& archive, const Path& folder,
                       std::span<const std::size_t> indices, NameRules rules,
                       const Progress& progress) {
  PAK_RETURN_IF_ERROR(CheckExtractNames(archive, rules));
  Status status;
  bool replaced = false;
  for (std::size_t k = 0; k < indices.size() && status.ok(); ++k) {
    const std::size_t i = indices[k];
    StagedFile target(fs, JoinPath(folder, archive[i].Name), /*in_place=*/true);
    status = target.Open();
    if (status.ok()) status = archive.CopyEntry(i, target.file());
    if (status.ok()) status = target.CommitKeepingFolder();
    replaced = replaced || target.replaced();
    if (status.ok() && progress) progress(k + 1, indices.size());
  }
  // One folder flush for every file moved into it.
  if (replaced) {
    const Status synced = fs.SyncFolder(folder);
    if (status.ok()) status = synced;
  }
  return status;
}

Result<FolderScan> ScanFolder(FileSystem& fs, const Path& folder, const CodePage& code_page) {
  auto names = fs.ListFiles(folder);
  if (!names.ok()) return names.status();
  FolderScan scan;
  for (auto& name : *names) {
    if (EqualsIgnoreCase(name, kFilesListName)) {
      scan.files_list_found = true;
      auto bytes = fs.ReadWholeFile(JoinPath(folder, name));
      if (!bytes.ok()) return bytes.status();
      const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
      scan.recorded_names = RecordedNames(text, code_page);
    } else if (!EqualsIgnoreCase(name, kFamilyBinName)) {
      scan.files.push_back(std::move(name));
    }
  }
  // The order of LessIgnoreCase (folded text, then the exact text), with each
  // name folded once rather than on every comparison.
  const FoldedNames folded(scan.files);
  std::vector<std::size_t> order(scan.files.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const int by_folded = folded[a].compare(folded[b]);
    if (by_folded != 0) return by_folded < 0;
    return scan.files[a] < scan.files[b];
  });
  std::vector<std::u16string> sorted;
  sorted.reserve(order.size());
  for (std::size_t i : order) sorted.push_back(std::move(scan.files[i]));
  scan.files = std::move(sorted);
  return scan;
}

NameDifference CompareNames(const FolderScan& scan) {
  NameDifference diff;
  const FoldedNames recorded_folded(scan.recorded_names);
  const FoldedNames files_folded(scan.files);
  std::unordered_set<std::u16string_view> recorded;
  recorded.reserve(recorded_folded.size());
  for (std::size_t i = 0; i < recorded_folded.size(); ++i) recorded.insert(recorded_folded[i]);
  std::unordered_set<std::u16string_view> present;
  present.reserve(files_folded.size());
  for (std::size_t i = 0; i < files_folded.size(); ++i) present.insert(files_folded[i]);
  for (std::size_t i = 0; i < scan.files.size(); ++i) {
    if (!recorded.contains(files_folded[i]) && !EqualsIgnoreCase(scan.files[i], kFilesListName)) {
      diff.added.push_back(scan.files[i]);
    }
  }
  for (std::size_t i = 0; i < scan.recorded_names.size(); ++i) {
    if (!scan.recorded_names[i].empty() && !present.contains(recorded_folded[i])) {
      diff.deleted.push_back(scan.recorded_names[i]);
    }
  }
  diff.needs_confirmation =
      (!diff.added.empty() && scan.files_list_found) || !diff.deleted.empty();
  return diff;
}

Status PackFolder(FileSystem& fs, const Path& folder, std::span<const std::u16string> names,
                  const Path& archive_path, const Progress& progress, bool verify) {
  // Refuse bad names before anything is created.
  PAK_RETURN_IF_ERROR(CheckPackNames(names));
  StagedFile target(fs, archive_path);
  PAK_RETURN_IF_ERROR(target.Open());
  FileSink sink(target.file());
  PAK_RETURN_IF_ERROR(WritePak(fs, folder, names, sink, progress));
  if (verify) {
    PAK_RETURN_IF_ERROR(target.Close());
    Status checked = VerifyPackedArchive(fs, target.written(), folder, names);
    if (!checked.ok()) {
      return Status::IoError(
          checked.message() + "; " + DisplayPath(archive_path) + " was left as it was",
          checked.error_number());
    }
  }
  return target.Commit();
}

}  // namespace pak

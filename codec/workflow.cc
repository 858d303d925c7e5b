#include "codec/workflow.h"

#include <algorithm>
#include <unordered_set>

#include "codec/files_list.h"

namespace pak {
namespace {

// Writes into a temporary file and moves it over the target on Commit; the
// destructor removes what was not committed.
class StagedFile {
 public:
  StagedFile(FileSystem& fs, Path target) : fs_(fs), target_(std::move(target)) {}
  ~StagedFile() {
    if (file_ != nullptr) (void)file_->Close();
    if (!temp_.empty()) (void)fs_.Remove(temp_);
  }

  Status Open() {
    Path folder = target_.parent_path();
    if (folder.empty()) folder = ".";
    auto file = fs_.CreateTemporary(folder, target_.filename().u16string(), &temp_);
    if (!file.ok()) return file.status();
    file_ = std::move(file).value();
    return Status::Ok();
  }
  OutputFile& file() { return *file_; }

  Status Commit() {
    std::unique_ptr<OutputFile> file = std::move(file_);
    PAK_RETURN_IF_ERROR(file->Close());
    PAK_RETURN_IF_ERROR(fs_.Replace(temp_, target_));
    temp_.clear();
    return Status::Ok();
  }

 private:
  FileSystem& fs_;
  Path target_;
  Path temp_;
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
  auto list = fs.Create(JoinPath(folder, kFilesListName));
  if (!list.ok()) return list.status();
  for (std::size_t i = 0; i < archive.size(); ++i) {
    const PakEntry& entry = archive[i];
    Status status = (*list)->Append(AsBytes(FilesListLine(entry.Name, code_page)));
    if (status.ok()) {
      StagedFile target(fs, JoinPath(folder, entry.Name));
      status = target.Open();
      if (status.ok()) status = archive.CopyEntry(i, target.file());
      if (status.ok()) status = target.Commit();
    }
    if (!status.ok()) {
      (void)(*list)->Close();
      return status;
    }
    if (progress) progress(i + 1, archive.size());
  }
  return (*list)->Close();
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
  std::sort(scan.files.begin(), scan.files.end(), [](const auto& a, const auto& b) {
    return LessIgnoreCase(a, b);
  });
  return scan;
}

NameDifference CompareNames(const FolderScan& scan) {
  NameDifference diff;
  std::unordered_set<std::u16string> recorded;
  for (const auto& name : scan.recorded_names) recorded.insert(FoldCase(name));
  std::unordered_set<std::u16string> present;
  for (const auto& name : scan.files) {
    std::u16string folded = FoldCase(name);
    if (!recorded.contains(folded) && !EqualsIgnoreCase(name, kFilesListName)) {
      diff.added.push_back(name);
    }
    present.insert(std::move(folded));
  }
  for (const auto& name : scan.recorded_names) {
    if (!name.empty() && !present.contains(FoldCase(name))) diff.deleted.push_back(name);
  }
  diff.needs_confirmation =
      (!diff.added.empty() && scan.files_list_found) || !diff.deleted.empty();
  return diff;
}

Status PackFolder(FileSystem& fs, const Path& folder, std::span<const std::u16string> names,
                  const Path& archive_path, const Progress& progress) {
  // Refuse bad names before anything is created.
  PAK_RETURN_IF_ERROR(CheckPackNames(names));
  StagedFile target(fs, archive_path);
  PAK_RETURN_IF_ERROR(target.Open());
  FileSink sink(target.file());
  PAK_RETURN_IF_ERROR(WritePak(fs, folder, names, sink, progress));
  return target.Commit();
}

}  // namespace pak

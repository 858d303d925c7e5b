#include "codec/edit.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "codec/names.h"
#include "codec/pak_format.h"
#include "codec/reader.h"
#include "codec/staged_file.h"
#include "codec/text.h"

namespace pak {
namespace {

constexpr const char* kNothingWritten = ". Nothing was written";

std::string Quoted(std::u16string_view name) { return "\"" + EscapeControls(ToUtf8(name)) + "\""; }

// The name of the file that extraction writes an entry of this name to, folded: "A.wav", "a.ogg"
// and "a.OGG" all land on "a.ogg".
std::u16string FileKey(std::u16string_view name) {
  return FoldCase(ArchiveToDiskName(DiskToArchiveName(name)));
}

// One entry of the new archive: its stored name, and where its bytes come from.
struct Planned {
  std::u16string stored;
  std::optional<std::size_t> entry;  // an entry of the old archive
  std::size_t file = 0;              // otherwise a file of ArchiveEdit::add
  bool dropped = false;
};

// The order in which pack writes a folder's files: by their names on disk.
bool PackedBefore(const Planned& a, const Planned& b) {
  return LessIgnoreCase(ArchiveToDiskName(a.stored), ArchiveToDiskName(b.stored));
}

// Marks the entries to remove; every name must name at least one.
Status MarkRemoved(const PakArchive& archive, const std::vector<std::u16string>& names,
                   std::vector<bool>* removed) {
  std::unordered_map<std::u16string, std::size_t> wanted;
  for (std::size_t k = 0; k < names.size(); ++k) wanted.emplace(FileKey(names[k]), k);
  std::vector<bool> found(names.size(), false);
  for (std::size_t i = 0; i < archive.size(); ++i) {
    const auto it = wanted.find(FileKey(archive[i].name));
    if (it == wanted.end()) continue;
    (*removed)[i] = true;
    found[it->second] = true;
  }
  std::string missing;
  std::size_t count = 0;
  for (std::size_t k = 0; k < names.size(); ++k) {
    if (found[k] || wanted.at(FileKey(names[k])) != k) continue;  // a name given twice: once
    missing += (count++ > 0 ? ", " : "") + Quoted(names[k]);
  }
  if (count == 0) return Status::Ok();
  return Status::Refused("The archive holds no entry named " + missing + kNothingWritten);
}

// The names the added files are stored under, after checking each file and its name as pack
// checks a folder's.
Result<std::vector<std::u16string>> CheckAddedFiles(FileSystem& fs, const PakArchive& archive,
                                                    const std::vector<Path>& files,
                                                    const std::vector<std::u16string>& add_as) {
  std::vector<std::u16string> names;
  for (std::size_t k = 0; k < files.size(); ++k) {
    const Path& file = files[k];
    if (!fs.IsFile(file)) {
      return Status::Refused(DisplayPath(file) + " is not a file that can be added" +
                             kNothingWritten);
    }
    const std::optional<FileId> id = fs.Identify(file);
    if (id && id == archive.source_id()) {
      return Status::Refused(DisplayPath(file) + " is the archive being changed; it cannot be " +
                             "added to itself" + kNothingWritten);
    }
    const bool renamed = k < add_as.size() && !add_as[k].empty();
    names.push_back(renamed ? add_as[k] : file.filename().u16string());
    if (EqualsIgnoreCase(names.back(), kFamilyBinName)) {
      return Status::Refused(Quoted(names.back()) + " is never packed, so it is not added" +
                             kNothingWritten);
    }
  }
  std::vector<std::u16string> stored;
  for (const auto& name : names) stored.push_back(DiskToArchiveName(name));
  const std::vector<std::u16string_view> views(stored.begin(), stored.end());
  const std::vector<NameClash> clashes = FindNameClashes(views, /*ignore_case=*/true);
  if (!clashes.empty()) {
    return Status::Refused("Two of the files to add would be stored under one name: " +
                           DisplayPath(files[clashes[0].lost]) + " and " +
                           DisplayPath(files[clashes[0].kept]) + kNothingWritten);
  }
  if (!names.empty()) {
    const Status checked = CheckPackNames(names);
    if (!checked.ok()) return Status::Refused(checked.message() + kNothingWritten);
  }
  return stored;
}

// The new archive's entries, in order.
Result<std::vector<Planned>> Plan(const PakArchive& archive, const std::vector<bool>& removed,
                                  const std::vector<std::u16string>& added, EditCounts* counts) {
  std::vector<Planned> plan;
  std::unordered_map<std::u16string, std::vector<std::size_t>> at;  // by FileKey
  for (std::size_t i = 0; i < archive.size(); ++i) {
    if (removed[i]) {
      ++counts->removed;
      continue;
    }
    at[FileKey(archive[i].name)].push_back(plan.size());
    plan.push_back({archive[i].stored_name, i});
  }
  std::vector<Planned> fresh;
  for (std::size_t k = 0; k < added.size(); ++k) {
    const auto it = at.find(FileKey(added[k]));
    if (it == at.end()) {
      fresh.push_back({added[k], std::nullopt, k});
      ++counts->added;
      continue;
    }
    // The first entry that lands on the file takes its bytes; any later one would only have
    // been extracted over it.
    plan[it->second.front()] = {added[k], std::nullopt, k};
    ++counts->replaced;
    for (std::size_t j = 1; j < it->second.size(); ++j) {
      plan[it->second[j]].dropped = true;
      ++counts->removed;
    }
  }
  std::erase_if(plan, [](const Planned& p) { return p.dropped; });
  if (std::is_sorted(plan.begin(), plan.end(), PackedBefore)) {
    for (Planned& p : fresh) {
      plan.insert(std::upper_bound(plan.begin(), plan.end(), p, PackedBefore), std::move(p));
    }
  } else {
    for (Planned& p : fresh) plan.push_back(std::move(p));
  }
  if (plan.empty()) {
    return Status::Refused(
        "The archive would hold no entry, and an archive holds at least one; remove fewer" +
        std::string(kNothingWritten));
  }
  if (plan.size() > kMaxEntries) {
    return Status::Refused("The archive would hold " + std::to_string(plan.size()) +
                           " entries; an archive holds at most 65535" + kNothingWritten);
  }
  return plan;
}

// Writes the planned entries after their directory into `out`.
Status WriteEntries(FileSystem& fs, const PakArchive& archive, const ArchiveEdit& edit,
                    const std::vector<Planned>& plan, OutputFile& out, const Progress& progress,
                    const StopFlag* stop) {
  std::vector<std::u16string> stored;
  stored.reserve(plan.size());
  for (const Planned& p : plan) stored.push_back(p.stored);
  std::vector<std::size_t> slots;
  std::vector<std::uint8_t> head = LayOutDirectory(stored, &slots);
  PAK_RETURN_IF_ERROR(out.Append(head));
  for (std::size_t i = 0; i < plan.size(); ++i) {
    if (stop != nullptr && stop->load()) {
      return Status::Cancelled("The change was stopped; the archive was left as it was");
    }
    const Planned& p = plan[i];
    const std::uint64_t offset = out.size();
    std::unique_ptr<InputFile> file;
    std::uint64_t size = 0;
    if (p.entry) {
      size = static_cast<std::uint64_t>(archive[*p.entry].size);
    } else {
      auto opened = fs.OpenForRead(edit.add[p.file]);
      if (!opened.ok()) return opened.status();
      file = std::move(opened).value();
      size = file->size();
    }
    if (offset + size > kMaxArchiveSize) {
      return Status::Refused("The archive would reach 2 GiB at " +
                             Quoted(ArchiveToDiskName(p.stored)) +
                             "; an archive must stay below 2 GiB" + kNothingWritten);
    }
    PAK_RETURN_IF_ERROR(p.entry ? archive.CopyEntry(*p.entry, 0, size, out)
                                : out.AppendFrom(*file, 0, size));
    StoreU32(&head[slots[i]], static_cast<std::uint32_t>(offset));
    StoreU32(&head[slots[i] + 4], static_cast<std::uint32_t>(size));
    if (progress) progress(i + 1, plan.size());
  }
  return out.WriteAt(0, head);
}

}  // namespace

Result<EditCounts> EditArchive(FileSystem& fs, const Path& archive_path, const ArchiveEdit& edit,
                               const Progress& progress, const StopFlag* stop) {
  auto archive = std::make_unique<PakArchive>();
  {
    auto opened = OpenPakFile(fs, archive_path);
    if (!opened.ok()) return opened.status();
    *archive = std::move(opened).value();
  }
  std::vector<bool> removed(archive->size(), false);
  PAK_RETURN_IF_ERROR(MarkRemoved(*archive, edit.remove, &removed));
  auto added = CheckAddedFiles(fs, *archive, edit.add, edit.add_as);
  if (!added.ok()) return added.status();
  EditCounts counts;
  auto plan = Plan(*archive, removed, *added, &counts);
  if (!plan.ok()) return plan.status();

  auto target = StagedFile::Open(fs, archive_path, StagedFile::Flush::kAlways);
  if (!target.ok()) return target.status();
  PAK_RETURN_IF_ERROR(WriteEntries(fs, *archive, edit, *plan, (*target)->file(), progress, stop));
  // The old archive is closed before the new one takes its name: Windows does not replace a file
  // that is open.
  archive.reset();
  PAK_RETURN_IF_ERROR((*target)->Commit(StagedFile::FolderFlush::kNow));
  return counts;
}

}  // namespace pak

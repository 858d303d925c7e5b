#include "codec/file_system.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>

#include "codec/file_system_platform.h"
#include "codec/text.h"

namespace pak {

Path PathFromUtf16(std::u16string_view text) {
#ifdef _WIN32
  return Path(std::wstring(text.begin(), text.end()));
#else
  return Path(ToUtf8(text));
#endif
}

Path PathFromUtf8(std::string_view text) {
#ifdef _WIN32
  return PathFromUtf16(FromUtf8(text));
#else
  return Path(std::string(text));
#endif
}

Path JoinPath(const Path& folder, std::u16string_view name) { return folder / PathFromUtf16(name); }

std::string DisplayPath(const Path& path) {
#ifdef _WIN32
  return ToUtf8(path.u16string());
#else
  return path.string();
#endif
}

Status OutputFile::AppendFrom(InputFile& in, std::uint64_t offset, std::uint64_t size) {
  constexpr std::uint64_t kChunk = 1 << 20;
  std::vector<std::uint8_t> buffer(static_cast<size_t>(std::min(size, kChunk)));
  while (size > 0) {
    const auto n = static_cast<size_t>(std::min<std::uint64_t>(size, buffer.size()));
    std::span<std::uint8_t> chunk(buffer.data(), n);
    PAK_RETURN_IF_ERROR(in.ReadAt(offset, chunk));
    PAK_RETURN_IF_ERROR(Append(chunk));
    offset += n;
    size -= n;
  }
  return Status::Ok();
}

Result<std::unique_ptr<OutputFile>> FileSystem::CreateUnnamed(const Path&) {
  return std::unique_ptr<OutputFile>();
}

Status FileSystem::Publish(std::unique_ptr<OutputFile> file, const Path& target) {
  if (file != nullptr) (void)file->Close();
  return Status::IoError("Cannot create " + DisplayPath(target) + ": not supported", 0);
}

Result<FileSystem::NewName> FileSystem::PublishNew(std::unique_ptr<OutputFile>&, const Path&) {
  return NewName::kUnknown;
}

Status FileSystem::SyncFileSystem(const Path& folder) {
  return Status::IoError(
      "Cannot flush the file system of " + DisplayPath(folder) + ": not supported", 0);
}

std::size_t FileSystem::SpareFileHandles() { return SIZE_MAX; }

Status FileSystem::MarkModifiedAfter(const Path& path, const Path& other) {
  std::error_code error;
  const auto after = std::filesystem::last_write_time(other, error);
  if (!error) {
    const auto own = std::filesystem::last_write_time(path, error);
    if (!error && own > after) return Status::Ok();
  }
  if (!error) std::filesystem::last_write_time(path, after + std::chrono::seconds(2), error);
  if (!error) return Status::Ok();
  return Status::IoError(
      "Cannot set the modification time of " + DisplayPath(path) + ": " + error.message(),
      error.value());
}

bool FileSystem::IsFile(const Path& path) { return OpenForRead(path).ok(); }

std::optional<FileId> FileSystem::Identify(const Path&) { return std::nullopt; }

Result<std::vector<std::u16string>> FileSystem::NamesOfFile(const Path& folder, const FileId& id) {
  auto names = ListFiles(folder);
  if (!names.ok()) return names.status();
  std::vector<std::u16string> found;
  for (auto& name : *names) {
    if (Identify(JoinPath(folder, name)) == id) found.push_back(std::move(name));
  }
  return found;
}

Result<std::vector<std::u16string>> FileSystem::ListFiles(const Path& folder) {
  auto listing = ListFolder(folder);
  if (!listing.ok()) return listing.status();
  std::vector<std::u16string> names = std::move(listing->files);
  for (auto& name : listing->outside_links) names.push_back(std::move(name));
  return names;
}

bool FileSystem::LeadsOutside(const Path&, std::u16string_view) { return false; }

Result<bool> FileSystem::IgnoresCase(const Path& folder) {
  Path created;
  auto file = CreateTemporary(folder, u"Case-probe", &created);
  if (!file.ok()) return file.status();
  Status closed = (*file)->Close();
  std::u16string swapped = created.filename().u16string();
  for (char16_t& c : swapped) {
    if (c >= u'a' && c <= u'z') {
      c = static_cast<char16_t>(c - u'a' + u'A');
    } else if (c >= u'A' && c <= u'Z') {
      c = static_cast<char16_t>(c - u'A' + u'a');
    }
  }
  const std::optional<FileId> written = Identify(created);
  const std::optional<FileId> other = Identify(JoinPath(folder, swapped));
  const Status removed = Remove(created);
  if (!closed.ok()) return closed;
  if (!removed.ok()) return removed;
  return written.has_value() && written == other;
}

Result<std::vector<std::uint8_t>> FileSystem::ReadWholeFile(const Path& path) {
  auto file = OpenForRead(path);
  if (!file.ok()) return file.status();
  std::vector<std::uint8_t> bytes(static_cast<size_t>((*file)->size()));
  PAK_RETURN_IF_ERROR((*file)->ReadAt(0, bytes));
  return bytes;
}

Path platform::HiddenTemporaryName(const Path& hint) {
  static std::atomic<unsigned> counter{0};
  const std::string tail =
      ".tmp" + std::to_string(ProcessId()) + "-" + std::to_string(counter.fetch_add(1));
#ifdef _WIN32
  const std::u16string name(hint.native().begin(), hint.native().end());
  return PathFromUtf16(u"." + std::u16string(CutAtCharacter(name, 120)) +
                       std::u16string(tail.begin(), tail.end()));
#else
  return Path("." + std::string(CutAtCharacter(hint.native(), 120)) + tail);
#endif
}

Result<Path> CreatePrivateFolder(const Path& parent, std::string_view prefix) {
  std::random_device random;
  Status taken_status;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "-%lu-%08x", platform::ProcessId(),
                  static_cast<unsigned>(random()));
    const Path folder = parent / PathFromUtf8(std::string(prefix) + suffix);
    bool taken = false;
    taken_status = platform::MakePrivateFolder(folder, &taken);
    if (taken_status.ok()) return folder;
    if (!taken) return taken_status;
  }
  return Status::IoError("Cannot create a private folder in " + DisplayPath(parent),
                         taken_status.error_number());
}

}  // namespace pak

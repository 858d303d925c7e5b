#include "tests/support/test_support.h"

#include <stdlib.h>
#ifndef _WIN32
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "codec/pak_format.h"
#include "codec/reader.h"
#include "codec/text.h"

namespace testing_support {
namespace fs = std::filesystem;

#ifdef _WIN32
TempDir::TempDir() {
  // No mkdtemp here: create_directory reports whether it made the folder, which is as safe.
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = fs::temp_directory_path() / ("baler-test-" + std::to_string(random()));
    if (fs::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}
#else
TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "baler-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}
#endif

TempDir::~TempDir() {
  std::error_code ec;
  // Read-only files inside must not stop the clean-up.
  for (auto& entry : fs::recursive_directory_iterator(path_, ec)) {
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::remove_all(path_, ec);
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WriteFile(const fs::path& path, const std::string& text) {
  WriteFile(path, Bytes(text.begin(), text.end()));
}

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::string ReadText(const fs::path& path) {
  Bytes bytes = ReadFile(path);
  return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> ListDir(const fs::path& folder) {
  std::vector<std::string> names;
  for (auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void MakeReadOnly(const fs::path& path) {
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

Bytes MakeArchive(const std::vector<RawEntry>& entries) {
  Bytes out(pak::kSignature.begin(), pak::kSignature.end());
  out.push_back(static_cast<std::uint8_t>(entries.size()));
  out.push_back(static_cast<std::uint8_t>(entries.size() >> 8));
  std::size_t dir_size = 6;
  for (auto& e : entries) dir_size += 2 * e.name.size() + 16;
  std::uint32_t offset = static_cast<std::uint32_t>(dir_size);
  for (auto& e : entries) {
    out.push_back(static_cast<std::uint8_t>(e.name.size() + 1));
    out.push_back(0);
    for (char16_t c : e.name) {
      out.push_back(static_cast<std::uint8_t>(c));
      out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    out.insert(out.end(), {0, 0, 's', 'f', 'f', 'o'});
    for (std::uint32_t v : {offset, static_cast<std::uint32_t>(e.data.size())}) {
      for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    offset += static_cast<std::uint32_t>(e.data.size());
  }
  for (auto& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
  return out;
}

pak::PakArchive Parse(const Bytes& bytes) {
  auto archive = pak::ParsePak(bytes);
  if (!archive.ok())
    throw std::runtime_error("the archive does not parse: " + archive.status().message());
  return std::move(archive).value();
}

pak::FileSystem& Fs() { return pak::DefaultFileSystem(); }
const pak::CodePage& Cp() { return pak::Windows1252(); }
std::u16string U16(const std::filesystem::path& path) { return path.u16string(); }

namespace {

class FaultyOutput final : public pak::OutputFile {
 public:
  FaultyOutput(std::unique_ptr<pak::OutputFile> real, pak::Path path, FaultyFileSystem* owner)
      : real_(std::move(real)), path_(std::move(path)), owner_(owner) {}
  pak::Status Append(std::span<const std::uint8_t> bytes) override {
    PAK_RETURN_IF_ERROR(owner_->CountWrite(path_));
    return real_->Append(bytes);
  }
  pak::Status AppendFrom(pak::InputFile& in, std::uint64_t offset, std::uint64_t size) override {
    PAK_RETURN_IF_ERROR(owner_->CountWrite(path_));
    return real_->AppendFrom(in, offset, size);
  }
  pak::Status WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
    PAK_RETURN_IF_ERROR(owner_->CountWrite(path_));
    return real_->WriteAt(offset, bytes);
  }
  std::uint64_t size() const override { return real_->size(); }
  pak::Status Sync() override {
    PAK_RETURN_IF_ERROR(owner_->CountSync(path_));
    return real_->Sync();
  }
  pak::Status Close() override {
    owner_->Record("close", path_);
    return real_->Close();
  }
  std::unique_ptr<pak::OutputFile> TakeReal() { return std::move(real_); }
  std::unique_ptr<pak::OutputFile>& real() { return real_; }

 private:
  std::unique_ptr<pak::OutputFile> real_;
  pak::Path path_;
  FaultyFileSystem* owner_;
};

pak::FileSystem& Real() { return pak::DefaultFileSystem(); }

}  // namespace

std::string FaultyFileSystem::Label(const pak::Path& path) const {
  for (const auto& [temporary, label] : temporaries_) {
    if (temporary == path) return label;
  }
  return pak::DisplayPath(path.filename());
}

void FaultyFileSystem::Record(const std::string& what, const pak::Path& path) {
  std::string line = what + " " + Label(path);
  if (what == "write" && !journal.empty() && journal.back() == line) return;
  journal.push_back(std::move(line));
}

pak::Status FaultyFileSystem::CountWrite(const pak::Path& path) {
  if (before_write) before_write(writes + 1);
  return Count("write", path, writes, fail_write_at,
               pak::Status::IoError("injected write failure", 28 /* ENOSPC */));
}

pak::Status FaultyFileSystem::CountSync(const pak::Path& path) {
  return Count("sync", path, syncs, fail_sync_at,
               pak::Status::IoError("injected flush failure", 5 /* EIO */));
}

pak::Status FaultyFileSystem::Count(const std::string& what, const pak::Path& path, int& count,
                                    int fail_at, pak::Status failure) {
  Record(what, path);
  ++count;
  return fail_at != 0 && count == fail_at ? failure : pak::Status::Ok();
}

pak::Result<std::unique_ptr<pak::InputFile>> FaultyFileSystem::OpenForRead(const pak::Path& p) {
  return Real().OpenForRead(p);
}
pak::Result<std::unique_ptr<pak::OutputFile>> FaultyFileSystem::CreateTemporary(
    const pak::Path& folder, std::u16string_view hint, pak::Path* created) {
  auto real = Real().CreateTemporary(folder, hint, created);
  if (!real.ok()) return real.status();
  temporaries_.emplace_back(*created, "~" + pak::ToUtf8(hint));
  Record("create", *created);
  return std::unique_ptr<pak::OutputFile>(
      new FaultyOutput(std::move(real).value(), *created, this));
}
pak::Status FaultyFileSystem::Replace(const pak::Path& from, const pak::Path& to) {
  journal.push_back("rename " + Label(from) + " " + Label(to));
  if (fail_replace) return pak::Status::IoError("injected rename failure", 13 /* EACCES */);
  return Real().Replace(from, to);
}
pak::Status FaultyFileSystem::SyncFolder(const pak::Path& folder) {
  journal.push_back("sync folder");
  if (fail_folder_sync) return pak::Status::IoError("injected folder flush failure", 5 /* EIO */);
  return Real().SyncFolder(folder);
}
pak::Status FaultyFileSystem::SyncFileSystem(const pak::Path& folder) {
  if (!sync_file_system) return pak::FileSystem::SyncFileSystem(folder);
  journal.push_back("sync all");
  if (fail_file_system_sync) return pak::Status::IoError("injected flush failure", 5 /* EIO */);
  // Stands for a system that can, as the real one on Windows cannot: the order of the calls is
  // what is tested here, and the files' own flushes on the real system elsewhere.
  return pak::Status::Ok();
}
pak::Status FaultyFileSystem::Remove(const pak::Path& p) {
  Record("remove", p);
  return Real().Remove(p);
}
std::size_t FaultyFileSystem::SpareFileHandles() {
  return spare_file_handles ? *spare_file_handles : Real().SpareFileHandles();
}
bool FaultyFileSystem::IsDirectory(const pak::Path& p) { return Real().IsDirectory(p); }
pak::Result<pak::FolderListing> FaultyFileSystem::ListFolder(const pak::Path& f) {
  return Real().ListFolder(f);
}
bool FaultyFileSystem::LeadsOutside(const pak::Path& f, std::u16string_view name) {
  return Real().LeadsOutside(f, name);
}

pak::Result<std::unique_ptr<pak::OutputFile>> FaultyFileSystem::CreateUnnamed(
    const pak::Path& target) {
  if (!unnamed_files) return std::unique_ptr<pak::OutputFile>();
  auto real = Real().CreateUnnamed(target);
  if (!real.ok() || *real == nullptr) return real;
  Record("create unnamed", target);
  return std::unique_ptr<pak::OutputFile>(new FaultyOutput(std::move(real).value(), target, this));
}
pak::Status FaultyFileSystem::Publish(std::unique_ptr<pak::OutputFile> file,
                                      const pak::Path& target) {
  journal.push_back("publish " + Label(target));
  if (auto* faulty = dynamic_cast<FaultyOutput*>(file.get())) {
    return Real().Publish(faulty->TakeReal(), target);
  }
  return Real().Publish(std::move(file), target);
}
pak::Result<FaultyFileSystem::NewName> FaultyFileSystem::PublishNew(
    std::unique_ptr<pak::OutputFile>& file, const pak::Path& target) {
  auto* faulty = dynamic_cast<FaultyOutput*>(file.get());
  if (faulty == nullptr) return Real().PublishNew(file, target);
  auto named = Real().PublishNew(faulty->real(), target);
  if (!named.ok() || *named == NewName::kGiven) {
    journal.push_back("publish new " + Label(target));
    file.reset();
  }
  return named;
}
bool FaultyFileSystem::IsFile(const pak::Path& p) { return Real().IsFile(p); }
std::optional<pak::FileId> FaultyFileSystem::Identify(const pak::Path& p) {
  return Real().Identify(p);
}
pak::Result<bool> FaultyFileSystem::IgnoresCase(const pak::Path& folder) {
  ++case_probes;
  if (ignores_case) return *ignores_case;
  return Real().IgnoresCase(folder);
}
pak::Result<std::vector<std::u16string>> FaultyFileSystem::NamesOfFile(const pak::Path& f,
                                                                       const pak::FileId& id) {
  return Real().NamesOfFile(f, id);
}

#ifndef _WIN32
int RunUnprivileged(const std::function<int()>& body) {
  uid_t uid = 65534;
  gid_t gid = 65534;
  const char* name = std::getenv("PAK_TEST_USER");
  if (const passwd* user = ::getpwnam(name != nullptr ? name : "baler-test")) {
    uid = user->pw_uid;
    gid = user->pw_gid;
  }
  const pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) {
    if (::geteuid() == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0) ::_exit(250);
    }
    if (::geteuid() == 0) ::_exit(251);  // still privileged: the case would prove nothing
    ::_exit(body());
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

void OpenForOthers(const fs::path& path) {
  std::error_code ec;
  fs::permissions(path,
                  fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                      fs::perms::others_read | fs::perms::others_exec,
                  ec);
}
#endif

}  // namespace testing_support

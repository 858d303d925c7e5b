// Helpers for tests that work on real temporary folders, and a file system
// that fails on purpose.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "codec/file_system.h"
#include "codec/reader.h"
#include "codec/text.h"
#include "codec/writer.h"

namespace testing_support {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

void WriteFile(const std::filesystem::path& path, const Bytes& bytes);
void WriteFile(const std::filesystem::path& path, const std::string& text);
Bytes ReadFile(const std::filesystem::path& path);
std::string ReadText(const std::filesystem::path& path);
// Names of everything directly inside a folder, sorted, hidden ones included.
std::vector<std::string> ListDir(const std::filesystem::path& folder);
void MakeReadOnly(const std::filesystem::path& path);

// A stop asked for once `entries` entries are done (before the first, for 0): pass `flag` and
// `progress` to the work under test.
struct StopAfter {
  explicit StopAfter(std::size_t count) : flag(count == 0), entries(count) {}
  StopAfter(const StopAfter&) = delete;
  StopAfter& operator=(const StopAfter&) = delete;
  pak::StopFlag flag;
  const std::size_t entries;
  const pak::Progress progress = [this](std::size_t done, std::size_t) {
    if (done == entries) flag = true;
  };
};

// An archive in memory, laid out by hand (not by the writer under test).
struct RawEntry {
  std::u16string name;
  Bytes data;
};
Bytes MakeArchive(const std::vector<RawEntry>& entries);
// The archive read from bytes; throws (failing the test) when they do not parse.
pak::PakArchive Parse(const Bytes& bytes);

// The real file system and the programs' code page, as the workflows under test take them.
pak::FileSystem& Fs();
const pak::CodePage& Cp();
// A path as the window logic and the fakes take it.
std::u16string U16(const std::filesystem::path& path);

// Wraps the real file system and fails the Nth write (counting Append,
// AppendFrom and WriteAt calls on any output file, from 1), the Nth file
// flush, or every Replace or folder flush, as asked. It also keeps a journal
// of the calls that change the disk, in order, naming each file by its name
// and a temporary one by "~" and the name it was made for:
//   "create ~a.pak", "write ~a.pak", "sync ~a.pak", "close ~a.pak",
//   "rename ~a.pak a.pak", "sync folder", "remove ~a.pak".
// Writes that follow one another on the same file are one line.
class FaultyFileSystem : public pak::FileSystem {
 public:
  int fail_write_at = 0;  // 0: never
  int fail_sync_at = 0;   // 0: never
  bool fail_replace = false;
  bool fail_folder_sync = false;
  // Whether the file system can be flushed in one call (SyncFileSystem), and whether that fails.
  bool sync_file_system = false;
  bool fail_file_system_sync = false;
  int writes = 0;
  int syncs = 0;
  std::vector<std::string> journal;
  // Whether the real system's unnamed files are used; off, every file is staged under a
  // hidden temporary name, as on systems without them.
  bool unnamed_files = false;
  // What SpareFileHandles says; unset, the real system's answer.
  std::optional<std::size_t> spare_file_handles;
  // Called before each write with its number: a test can end the process there.
  std::function<void(int)> before_write;
  // What IgnoresCase answers, and how many times it was asked; unset, the real folder answers.
  std::optional<bool> ignores_case;
  int case_probes = 0;

  pak::Result<std::unique_ptr<pak::InputFile>> OpenForRead(const pak::Path& path) override;
  pak::Result<std::unique_ptr<pak::OutputFile>> CreateTemporary(const pak::Path& folder,
                                                                std::u16string_view hint,
                                                                pak::Path* created) override;
  pak::Status Replace(const pak::Path& from, const pak::Path& to) override;
  pak::Status SyncFolder(const pak::Path& folder) override;
  pak::Status SyncFileSystem(const pak::Path& folder) override;
  pak::Status Remove(const pak::Path& path) override;
  bool IsDirectory(const pak::Path& path) override;
  pak::Result<pak::FolderListing> ListFolder(const pak::Path& folder) override;
  bool LeadsOutside(const pak::Path& folder, std::u16string_view name) override;
  pak::Result<std::unique_ptr<pak::OutputFile>> CreateUnnamed(const pak::Path& target) override;
  pak::Status Publish(std::unique_ptr<pak::OutputFile> file, const pak::Path& target) override;
  pak::Result<NewName> PublishNew(std::unique_ptr<pak::OutputFile>& file,
                                  const pak::Path& target) override;
  bool IsFile(const pak::Path& path) override;
  std::size_t SpareFileHandles() override;
  std::optional<pak::FileId> Identify(const pak::Path& path) override;
  pak::Result<std::vector<std::u16string>> NamesOfFile(const pak::Path& folder,
                                                       const pak::FileId& id) override;
  pak::Result<bool> IgnoresCase(const pak::Path& folder) override;

  pak::Status CountWrite(const pak::Path& path);
  pak::Status CountSync(const pak::Path& path);
  // Records the call, counts it, and fails the `fail_at`th with `failure`.
  pak::Status Count(const std::string& what, const pak::Path& path, int& count, int fail_at,
                    pak::Status failure);
  void Record(const std::string& what, const pak::Path& path);

 private:
  std::string Label(const pak::Path& path) const;
  std::vector<std::pair<pak::Path, std::string>> temporaries_;
};

#ifndef _WIN32
// Runs `body` in a child process as a user without privileges: when the tests run as root, the
// child drops to the user named by PAK_TEST_USER (which the test script creates), or to uid and
// gid 65534 when there is none. Returns what `body` returned (its exit code), or -1 when the
// child could not drop its privileges or died otherwise. `body` must not use gtest assertions;
// it reports through its return value.
int RunUnprivileged(const std::function<int()>& body);
// Makes a folder and every folder above it up to the temporary folder open for others to enter.
void OpenForOthers(const std::filesystem::path& path);
#endif

}  // namespace testing_support

// Helpers for tests that work on real temporary folders, and a file system
// that fails on purpose.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "codec/file_system.h"

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

// An archive in memory, laid out by hand (not by the writer under test).
struct RawEntry {
  std::u16string name;
  Bytes data;
};
Bytes MakeArchive(const std::vector<RawEntry>& entries);

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
  int writes = 0;
  int syncs = 0;
  std::vector<std::string> journal;

  pak::Result<std::unique_ptr<pak::InputFile>> OpenForRead(const pak::Path& path) override;
  pak::Result<std::unique_ptr<pak::OutputFile>> Create(const pak::Path& path) override;
  pak::Result<std::unique_ptr<pak::OutputFile>> CreateNew(const pak::Path& path) override;
  pak::Result<std::unique_ptr<pak::OutputFile>> CreateTemporary(const pak::Path& folder,
                                                                std::u16string_view hint,
                                                                pak::Path* created) override;
  pak::Status Replace(const pak::Path& from, const pak::Path& to) override;
  pak::Status SyncFolder(const pak::Path& folder) override;
  pak::Status Remove(const pak::Path& path) override;
  bool IsDirectory(const pak::Path& path) override;
  pak::Result<std::vector<std::u16string>> ListFiles(const pak::Path& folder) override;

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

}  // namespace testing_support

// The real file system on Windows, on the wide (UTF-16) Win32 API, so that every file name
// survives whatever the system's ANSI code page is.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "codec/file_system.h"
#include "codec/file_system_platform.h"
#include "codec/names.h"
#include "codec/text.h"

namespace pak {

using platform::WinPath;

namespace {

// Far below DWORD's limit, so that one call never has to report a partial transfer of more
// than it can count.
constexpr std::uint64_t kMaxTransfer = 1u << 30;

std::u16string FromWide(const std::wstring& text) {
  return std::u16string(text.begin(), text.end());
}

std::string SystemMessage(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (n != 0 && buffer != nullptr) text.assign(buffer, n);
  if (buffer != nullptr) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' ||
                           text.back() == L'.')) {
    text.pop_back();
  }
  if (text.empty()) return "system error " + std::to_string(error);
  return ToUtf8(FromWide(text));
}

Status WinError(const char* what, const Path& path, DWORD error) {
  return Status::IoError(
      std::string("Cannot ") + what + " " + DisplayPath(path) + ": " + SystemMessage(error),
      static_cast<int>(error));
}

Status LastError(const char* what, const Path& path) {
  return WinError(what, path, ::GetLastError());
}

// ---- Temporary files removed when the console goes away ----
//
// A named temporary file is entered here from its creation until it is moved into place or
// deleted. Ctrl+C, Ctrl+Break, closing the console window, logging off and shutting down delete
// what is entered; the system then ends the process as it would have. The handler runs on a
// thread of its own, so a mutex is enough. Temporaries are opened with FILE_SHARE_DELETE, so
// the deletion takes effect even while the file is still open.

std::mutex g_temp_mutex;
std::vector<std::wstring>& Temporaries() {
  // Never destroyed: the handler may run while the process is ending.
  static auto* paths = new std::vector<std::wstring>();
  return *paths;
}

BOOL WINAPI RemoveTemporariesOnClose(DWORD) {
  std::lock_guard<std::mutex> lock(g_temp_mutex);
  for (const auto& path : Temporaries()) {
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(path.c_str());
  }
  Temporaries().clear();
  return FALSE;  // the default handling (ending the process) follows
}

void EnterTemporary(const std::wstring& path) {
  static std::once_flag once;
  std::call_once(once, [] { ::SetConsoleCtrlHandler(RemoveTemporariesOnClose, TRUE); });
  std::lock_guard<std::mutex> lock(g_temp_mutex);
  Temporaries().push_back(path);
}

void LeaveTemporary(const std::wstring& path) {
  std::lock_guard<std::mutex> lock(g_temp_mutex);
  auto& paths = Temporaries();
  paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
}

// The identity of an open file: the volume's serial number and the file's index on it.
std::optional<FileId> IdOf(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info)) return std::nullopt;
  return platform::IdOf(info);
}

OVERLAPPED At(std::uint64_t offset) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return at;
}

// Reads or writes `size` bytes of a file from `offset` on, in pieces that one call can count:
// `call(done, piece, &n, &at)` moves one piece at `at` and says how much it moved. A call that
// fails becomes `failed(its error)`, one that moves nothing `failed(stalled)`.
template <typename Call, typename Failed>
Status InPieces(std::uint64_t offset, std::uint64_t size, DWORD stalled, Call call, Failed failed) {
  std::uint64_t done = 0;
  while (done < size) {
    const auto piece = static_cast<DWORD>(std::min<std::uint64_t>(size - done, kMaxTransfer));
    OVERLAPPED at = At(offset + done);
    DWORD n = 0;
    if (!call(done, piece, &n, &at)) return failed(::GetLastError());
    if (n == 0) return failed(stalled);
    done += n;
  }
  return Status::Ok();
}

// Sets the attributes of an open file; its times stay as they are (zero leaves a time alone).
bool SetAttributesOf(HANDLE handle, DWORD attributes) {
  FILE_BASIC_INFO basic{};
  basic.FileAttributes = attributes;
  return ::SetFileInformationByHandle(handle, FileBasicInfo, &basic, sizeof basic) != 0;
}

// The path in the system's own form (\??\C:\folder\name), as naming an open file takes it;
// none for a path that does not name a file on a drive or a share.
std::optional<std::wstring> SystemPath(const Path& path) {
  const std::wstring text = WinPath(path);
  if (text.starts_with(L"\\\\?\\")) return L"\\??\\" + text.substr(4);
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n =
        ::GetFullPathNameW(text.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0) return std::nullopt;
    if (n < full.size()) {
      full.resize(n);
      break;
    }
    full.resize(n);
  }
  if (full.starts_with(L"\\\\.\\") || full.starts_with(L"\\\\?\\")) return std::nullopt;
  if (full.starts_with(L"\\\\")) return L"\\??\\UNC\\" + full.substr(2);
  if (full.size() < 3 || full[1] != L':' || full[2] != L'\\') return std::nullopt;
  return L"\\??\\" + full;
}

// Gives an open file (opened with DELETE access) the name `target`, a path in the system's own
// form, when nothing has that name: the file is moved through its handle, without opening it
// again by its path.
bool TakeFreeNameOf(HANDLE handle, const std::wstring& target) {
  const std::size_t bytes = sizeof(FILE_RENAME_INFO) + target.size() * sizeof(wchar_t);
  std::vector<std::uint64_t> buffer((bytes + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = FALSE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(target.size() * sizeof(wchar_t));
  std::copy(target.begin(), target.end(), info->FileName);
  return ::SetFileInformationByHandle(handle, FileRenameInfo, info,
                                      static_cast<DWORD>(buffer.size() * sizeof(std::uint64_t))) !=
         0;
}

class Win32InputFile final : public InputFile {
 public:
  Win32InputFile(HANDLE handle, std::uint64_t size, Path path)
      : handle_(handle), size_(size), id_(IdOf(handle)), path_(std::move(path)) {}
  ~Win32InputFile() override { ::CloseHandle(handle_); }

  std::uint64_t size() const override { return size_; }
  std::optional<FileId> id() const override { return id_; }

  Status ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    // A read that returns nothing has met the end of the file.
    return InPieces(
        offset, out.size(), ERROR_HANDLE_EOF,
        [&](std::uint64_t done, DWORD piece, DWORD* n, OVERLAPPED* at) {
          return ::ReadFile(handle_, out.data() + done, piece, n, at);
        },
        [&](DWORD error) {
          return error == ERROR_HANDLE_EOF ? ShortRead() : WinError("read", path_, error);
        });
  }

 private:
  Status ShortRead() const {
    return Status::IoError("Cannot read " + DisplayPath(path_) + ": the file became shorter",
                           ERROR_HANDLE_EOF);
  }

  HANDLE handle_;
  std::uint64_t size_;
  std::optional<FileId> id_;
  Path path_;
};

// A file being written. One from CreateUnnamed is a hidden temporary at `temporary` standing for
// a file with no name yet: it takes its name through TakeFreeName or Publish, and is deleted
// when it is closed without one.
class Win32OutputFile final : public OutputFile {
 public:
  Win32OutputFile(HANDLE handle, Path path, std::wstring temporary = {})
      : handle_(handle), path_(std::move(path)), temporary_(std::move(temporary)) {}
  ~Win32OutputFile() override {
    if (!temporary_.empty()) {
      Discard();
    } else if (handle_ != INVALID_HANDLE_VALUE) {
      ::CloseHandle(handle_);
    }
  }

  Status Append(std::span<const std::uint8_t> bytes) override {
    PAK_RETURN_IF_ERROR(WriteAt(size_, bytes));
    size_ += bytes.size();
    return Status::Ok();
  }

  Status WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
    return InPieces(
        offset, bytes.size(), ERROR_WRITE_FAULT,
        [&](std::uint64_t done, DWORD piece, DWORD* n, OVERLAPPED* at) {
          return ::WriteFile(handle_, bytes.data() + done, piece, n, at);
        },
        [&](DWORD error) { return WinError("write", path_, error); });
  }

  std::uint64_t size() const override { return size_; }

  Status Sync() override {
    // A closed file's handle is INVALID_HANDLE_VALUE, which is also the process's own handle.
    if (handle_ == INVALID_HANDLE_VALUE) return WinError("flush", path_, ERROR_INVALID_HANDLE);
    if (!::FlushFileBuffers(handle_)) return LastError("flush", path_);
    return Status::Ok();
  }

  // Closes the file; a temporary without a name is deleted.
  Status Close() override {
    if (!temporary_.empty()) {
      Discard();
      return Status::Ok();
    }
    return CloseHandleOnly();
  }

  const Path& path() const { return path_; }
  bool unnamed() const { return !temporary_.empty(); }

  // Gives an unnamed file the name `target` (in the system's form) and closes it, when nothing
  // has that name. Otherwise the file stays open, hidden and unnamed. An error only when the
  // named file fails to close.
  Result<FileSystem::NewName> TakeFreeName(const std::wstring& target) {
    using NewName = FileSystem::NewName;
    if (temporary_.empty() || handle_ == INVALID_HANDLE_VALUE) return NewName::kUnknown;
    // The attribute goes first, so that the file never holds its name hidden; a new file is
    // marked for archiving, as the system marks every file it creates.
    if (!SetAttributesOf(handle_, FILE_ATTRIBUTE_ARCHIVE)) return NewName::kUnknown;
    if (!TakeFreeNameOf(handle_, target)) {
      const DWORD error = ::GetLastError();
      (void)SetAttributesOf(handle_, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
      return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? NewName::kTaken
                                                                         : NewName::kUnknown;
    }
    LeaveTemporary(temporary_);
    temporary_.clear();
    PAK_RETURN_IF_ERROR(CloseHandleOnly());
    return NewName::kGiven;
  }

  // Closes an unnamed file and leaves it at its temporary path, which is returned; the file stays
  // among the temporaries deleted on interruption until it is moved or deleted.
  Result<std::wstring> CloseKeepingTemporary() {
    std::wstring temporary = std::move(temporary_);
    temporary_.clear();
    const Status closed = CloseHandleOnly();
    if (!closed.ok()) {
      ::DeleteFileW(temporary.c_str());
      LeaveTemporary(temporary);
      return closed;
    }
    return temporary;
  }

 private:
  Status CloseHandleOnly() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (handle != INVALID_HANDLE_VALUE && !::CloseHandle(handle)) {
      return LastError("write", path_);
    }
    return Status::Ok();
  }

  // Deletes an unnamed file: through its handle where it can, so that the name goes with the
  // last handle, by its path otherwise.
  void Discard() {
    bool deleted = false;
    if (handle_ != INVALID_HANDLE_VALUE) {
      FILE_DISPOSITION_INFO disposition{};
      disposition.DeleteFile = TRUE;
      deleted = ::SetFileInformationByHandle(handle_, FileDispositionInfo, &disposition,
                                             sizeof disposition) != 0;
      ::CloseHandle(handle_);
      handle_ = INVALID_HANDLE_VALUE;
    }
    if (!deleted) ::DeleteFileW(temporary_.c_str());
    LeaveTemporary(temporary_);
    temporary_.clear();
  }

  HANDLE handle_;
  Path path_;
  std::wstring temporary_;
  std::uint64_t size_ = 0;
};

constexpr DWORD kNoAttributes = INVALID_FILE_ATTRIBUTES;

DWORD Attributes(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

// Clears some of a file's attributes. Returns the attributes it had, for restoring them if the
// step that needed this fails; kNoAttributes when there was nothing to clear.
DWORD ClearAttributes(const std::wstring& path, DWORD clear) {
  const DWORD attributes = Attributes(path);
  if (attributes == kNoAttributes || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
      (attributes & clear) == 0) {
    return kNoAttributes;
  }
  const DWORD rest = attributes & ~clear;
  if (!::SetFileAttributesW(path.c_str(), rest == 0 ? FILE_ATTRIBUTE_NORMAL : rest)) {
    return kNoAttributes;
  }
  return attributes;
}

void Restore(const std::wstring& path, DWORD attributes) {
  if (attributes != kNoAttributes) ::SetFileAttributesW(path.c_str(), attributes);
}

class Win32FileSystem final : public FileSystem {
 public:
  Result<std::unique_ptr<InputFile>> OpenForRead(const Path& path) override {
    const std::wstring name = WinPath(path);
    const HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return LastError("open", path);
    // A folder cannot be opened this way; a device or pipe can, and is no file to read whole.
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
      ::CloseHandle(handle);
      return Status::IoError(
          "Cannot read " + DisplayPath(path) + ": it is a device or a pipe, not an ordinary file",
          ERROR_INVALID_FUNCTION);
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handle, &size)) {
      const DWORD error = ::GetLastError();
      ::CloseHandle(handle);
      return WinError("read", path, error);
    }
    return std::unique_ptr<InputFile>(
        new Win32InputFile(handle, static_cast<std::uint64_t>(size.QuadPart), path));
  }

  // A hidden temporary beside the target stands for an unnamed file: the system has none. It is
  // opened for renaming too, so that it takes its name through its handle.
  Result<std::unique_ptr<OutputFile>> CreateUnnamed(const Path& target) override {
    Path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    Path path;
    std::wstring name;
    auto handle = CreateHiddenTemporary(folder, target.filename().u16string(),
                                        GENERIC_WRITE | DELETE, &path, &name);
    if (!handle.ok()) return handle.status();
    return std::unique_ptr<OutputFile>(new Win32OutputFile(*handle, target, std::move(name)));
  }

  // What stands at the target is replaced by a move of the temporary, as Replace does.
  Status Publish(std::unique_ptr<OutputFile> file, const Path& target) override {
    auto* out = dynamic_cast<Win32OutputFile*>(file.get());
    if (out == nullptr || !out->unnamed()) return FileSystem::Publish(std::move(file), target);
    auto temporary = out->CloseKeepingTemporary();
    if (!temporary.ok()) return temporary.status();
    const Path from(*temporary);
    const Status replaced = Replace(from, target);
    if (!replaced.ok()) (void)Remove(from);
    return replaced;
  }

  Result<NewName> PublishNew(std::unique_ptr<OutputFile>& file, const Path& target) override {
    auto* out = dynamic_cast<Win32OutputFile*>(file.get());
    if (out == nullptr || !out->unnamed() || out->path() != target) return NewName::kUnknown;
    // The system's form of a path is taken as it is, without the clean-up of the usual one
    // (trailing dots and spaces, device names): only names that need none are named this way.
    if (EntryNameFault(target.filename().u16string(), NameRules::kWindows) != nullptr) {
      return NewName::kUnknown;
    }
    const std::optional<std::wstring> system_path = SystemPath(target);
    if (!system_path) return NewName::kUnknown;
    auto named = out->TakeFreeName(*system_path);
    if (!named.ok() || *named == NewName::kGiven) file.reset();
    return named;
  }

  Result<std::unique_ptr<OutputFile>> CreateTemporary(const Path& folder, std::u16string_view hint,
                                                      Path* created) override {
    std::wstring name;
    auto handle = CreateHiddenTemporary(folder, hint, GENERIC_WRITE, created, &name);
    if (!handle.ok()) return handle.status();
    return std::unique_ptr<OutputFile>(new Win32OutputFile(*handle, *created));
  }

  Status Replace(const Path& from, const Path& to) override {
    const std::wstring source = WinPath(from);
    const std::wstring target = WinPath(to);
    // The file takes the target's place as an ordinary file: drop the temporary's hidden mark.
    const DWORD source_attributes = ClearAttributes(source, FILE_ATTRIBUTE_HIDDEN);
    // MoveFileExW refuses to replace a read-only file.
    const DWORD old = ClearAttributes(
        target, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    if (!HasLongName(target)) {
      Restore(target, old);
      Restore(source, source_attributes);
      return Status::Refused("The name " + DisplayPath(to) +
                             " is the short name of another file, which it would replace; "
                             "nothing was replaced");
    }
    // A link or junction at the target is replaced itself, never followed.
    // With MOVEFILE_WRITE_THROUGH the call returns only when the move is on the disk, which is
    // what a folder flush does elsewhere.
    if (!::MoveFileExW(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      const DWORD error = ::GetLastError();
      Restore(target, old);
      Restore(source, source_attributes);
      return WinError("replace", to, error);
    }
    LeaveTemporary(source);
    return Status::Ok();
  }

  // Replace moves with MOVEFILE_WRITE_THROUGH, and a folder cannot be opened for flushing
  // without backup rights: there is nothing left to do here.
  Status SyncFolder(const Path&) override { return Status::Ok(); }

  Status Remove(const Path& path) override {
    const std::wstring name = WinPath(path);
    const DWORD old = ClearAttributes(name, FILE_ATTRIBUTE_READONLY);
    if (!::DeleteFileW(name.c_str())) {
      const DWORD error = ::GetLastError();
      Restore(name, old);
      return WinError("delete", path, error);
    }
    LeaveTemporary(name);
    return Status::Ok();
  }

  bool IsDirectory(const Path& path) override {
    const DWORD attributes = Attributes(WinPath(path));
    return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  bool IsFile(const Path& path) override {
    const DWORD attributes = Attributes(WinPath(path));
    return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  std::optional<FileId> Identify(const Path& path) override {
    // Opening for no access at all reads the identity of files that others hold open; a link
    // or junction is followed to what it names.
    const HANDLE handle = ::CreateFileW(
        WinPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<FileId> id = IdOf(handle);
    ::CloseHandle(handle);
    return id;
  }

  Result<std::vector<std::u16string>> NamesOfFile(const Path& folder, const FileId& id) override {
    return NamesIn(folder, [&](DWORD attributes, const std::u16string& name) {
      // A folder is never the file; a link to one may lead to it.
      const bool folder_entry = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                                (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
      return !folder_entry && Identify(JoinPath(folder, name)) == id;
    });
  }

  Result<FolderListing> ListFolder(const Path& folder) override {
    constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    FolderListing listing;
    std::optional<std::wstring> root;  // the folder's final path, found at the first link
    PAK_RETURN_IF_ERROR(ForEachFound(folder, [&](const WIN32_FIND_DATAW& found) {
      const DWORD attributes = found.dwFileAttributes;
      if ((attributes & kHidden) != 0) return;
      std::u16string name = FromWide(found.cFileName);
      if (name == u"." || name == u"..") return;
      // The find data tell an ordinary file or folder without another call; a reparse point
      // that only stands in for its data (a cloud placeholder, a deduplicated file) is one too.
      if (!IsLink(found)) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) listing.files.push_back(std::move(name));
        return;
      }
      // A junction or a link to a folder.
      if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        listing.left_out.push_back({std::move(name), LeftOutReason::kLinkToFolder});
        return;
      }
      if (!root) root = FinalPath(WinPath(folder)).value_or(std::wstring());
      const Destination where = Follow(WinPath(JoinPath(folder, name)), *root);
      if (where.reason) {
        listing.left_out.push_back({std::move(name), *where.reason});
      } else {
        (where.outside ? listing.outside_links : listing.files).push_back(std::move(name));
      }
    }));
    return listing;
  }

  bool LeadsOutside(const Path& folder, std::u16string_view name) override {
    const std::wstring path = WinPath(JoinPath(folder, name));
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    ::FindClose(search);
    if (!IsLink(found)) return false;
    const std::optional<std::wstring> root = FinalPath(WinPath(folder));
    return root && Follow(path, *root).outside;
  }

 private:
  // The names of the entries of `folder` that `take` accepts, given their attributes and name.
  template <typename Take>
  Result<std::vector<std::u16string>> NamesIn(const Path& folder, Take take) {
    std::vector<std::u16string> names;
    PAK_RETURN_IF_ERROR(ForEachFound(folder, [&](const WIN32_FIND_DATAW& found) {
      std::u16string name = FromWide(found.cFileName);
      if (take(found.dwFileAttributes, name)) names.push_back(std::move(name));
    }));
    return names;
  }

  // Calls `visit` with what the system found for each entry of `folder`, "." and ".." included.
  template <typename Visit>
  Status ForEachFound(const Path& folder, Visit visit) {
    std::wstring pattern = WinPath(folder);
    if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
      const DWORD error = ::GetLastError();
      // An empty drive root has not even "." and "..".
      if (error == ERROR_FILE_NOT_FOUND && IsDirectory(folder)) return Status::Ok();
      return WinError("list the files of", folder, error);
    }
    Status status;
    do {
      visit(found);
    } while (::FindNextFileW(search, &found));
    const DWORD error = ::GetLastError();
    if (error != ERROR_NO_MORE_FILES) status = WinError("list the files of", folder, error);
    ::FindClose(search);
    return status;
  }

  // Whether the entry is a symbolic link or a junction: a reparse point that names another file.
  static bool IsLink(const WIN32_FIND_DATAW& found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
           IsReparseTagNameSurrogate(found.dwReserved0);
  }

  // The path of the file open at `handle`, every link resolved.
  static std::optional<std::wstring> FinalPathOf(HANDLE handle) {
    std::wstring text(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
      const DWORD n =
          ::GetFinalPathNameByHandleW(handle, text.data(), static_cast<DWORD>(text.size()), 0);
      if (n == 0) return std::nullopt;
      if (n < text.size()) {
        text.resize(n);
        return text;
      }
      text.resize(n + 1);
    }
    return std::nullopt;
  }

  static std::optional<std::wstring> FinalPath(const std::wstring& path) {
    const HANDLE handle =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::wstring> final_path = FinalPathOf(handle);
    ::CloseHandle(handle);
    return final_path;
  }

  // Where a link to a file leads: outside the folder whose final path is `root`, or to no
  // ordinary file, and why.
  struct Destination {
    bool outside = false;
    std::optional<LeftOutReason> reason;
  };
  static Destination Follow(const std::wstring& link, const std::wstring& root) {
    const HANDLE handle =
        ::CreateFileW(link.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = ::GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        return {false, LeftOutReason::kDanglingLink};
      }
      if (error == ERROR_CANT_RESOLVE_FILENAME) return {false, LeftOutReason::kLinkLoop};
      return {false, LeftOutReason::kUnexamined};
    }
    Destination where;
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
      where.reason = LeftOutReason::kLinkToDevice;
    } else if (::GetFileInformationByHandle(handle, &info) &&
               (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      where.reason = LeftOutReason::kLinkToFolder;
    } else {
      const std::optional<std::wstring> target = FinalPathOf(handle);
      // Paths compare ignoring case, as the system names files.
      where.outside =
          !target || root.empty() || target->size() <= root.size() ||
          (*target)[root.size()] != L'\\' ||
          ::CompareStringOrdinal(target->data(), static_cast<int>(root.size()), root.data(),
                                 static_cast<int>(root.size()), TRUE) != CSTR_EQUAL;
    }
    ::CloseHandle(handle);
    return where;
  }

  // Creates a new hidden file with a unique name made from `hint` in `folder`, entered among the
  // temporaries deleted on interruption; its path is stored in *path, and as the API takes it in
  // *name.
  static Result<HANDLE> CreateHiddenTemporary(const Path& folder, std::u16string_view hint,
                                              DWORD access, Path* path, std::wstring* name) {
    const Path hint_name = PathFromUtf16(hint);
    for (int attempt = 0; attempt < 100; ++attempt) {
      // A leading dot hides nothing on Windows: the attribute keeps folder scans off the file.
      Path candidate = folder / platform::HiddenTemporaryName(hint_name);
      std::wstring wide = WinPath(candidate);
      const HANDLE handle = ::CreateFileW(wide.c_str(), access, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                          nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
      if (handle != INVALID_HANDLE_VALUE) {
        EnterTemporary(wide);
        *path = std::move(candidate);
        *name = std::move(wide);
        return handle;
      }
      const DWORD error = ::GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
        return WinError("create a file in", folder, error);
      }
    }
    return WinError("create a file in", folder, ERROR_FILE_EXISTS);
  }

  // Whether what stands at `name` (a path in the API's form) has the name asked for, ignoring
  // case, as its own: false when the name is a short (8.3) alias that opens a file with another
  // long name. True when nothing stands there.
  static bool HasLongName(const std::wstring& name) {
    const HANDLE handle = ::CreateFileW(
        name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return true;
    std::wstring final_path(MAX_PATH, L'\0');
    DWORD size = ::GetFinalPathNameByHandleW(handle, final_path.data(),
                                             static_cast<DWORD>(final_path.size()), 0);
    if (size >= final_path.size()) {
      final_path.resize(size);
      size = ::GetFinalPathNameByHandleW(handle, final_path.data(),
                                         static_cast<DWORD>(final_path.size()), 0);
    }
    ::CloseHandle(handle);
    if (size == 0 || size >= final_path.size()) return true;  // no name to compare
    final_path.resize(size);
    const auto last = [](const std::wstring& path) {
      const std::size_t slash = path.find_last_of(L"\\/");
      return slash == std::wstring::npos ? path : path.substr(slash + 1);
    };
    const std::wstring asked = last(name), found = last(final_path);
    return ::CompareStringOrdinal(asked.c_str(), static_cast<int>(asked.size()), found.c_str(),
                                  static_cast<int>(found.size()), TRUE) == CSTR_EQUAL;
  }

  static HANDLE Open(const std::wstring& name, DWORD disposition, DWORD attributes,
                     DWORD share = FILE_SHARE_READ) {
    return ::CreateFileW(name.c_str(), GENERIC_WRITE, share, nullptr, disposition,
                         attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes, nullptr);
  }
};

}  // namespace

std::wstring platform::WinPath(const Path& path) {
  std::wstring text = path.wstring();
  for (auto& c : text) {
    if (c == L'/') c = L'\\';
  }
  if (text.size() < MAX_PATH - 12 || text.starts_with(L"\\\\?\\")) return text;
  if (!path.is_absolute()) return text;
  std::wstring normal = path.lexically_normal().wstring();
  for (auto& c : normal) {
    if (c == L'/') c = L'\\';
  }
  if (normal.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + normal.substr(2);
  return L"\\\\?\\" + normal;
}

FileSystem& DefaultFileSystem() {
  static Win32FileSystem fs;
  return fs;
}

namespace platform {

unsigned long ProcessId() { return ::GetCurrentProcessId(); }

// The user's own temporary folder is closed to other users; a folder made in it inherits that.
Status MakePrivateFolder(const Path& folder, bool* taken) {
  if (::CreateDirectoryW(folder.c_str(), nullptr)) return Status::Ok();
  const DWORD error = ::GetLastError();
  *taken = error == ERROR_ALREADY_EXISTS;
  return WinError("create folder", folder, error);
}

}  // namespace platform

}  // namespace pak

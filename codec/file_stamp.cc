#include <cstdint>
#include <optional>

#include "codec/file_system.h"
#include "codec/file_system_platform.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace pak {

#ifdef _WIN32

FileId platform::IdOf(const BY_HANDLE_FILE_INFORMATION& info) {
  const auto join = [](DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
  };
  return FileId{info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
                join(info.nFileSizeHigh, info.nFileSizeLow),
                static_cast<std::int64_t>(
                    join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime))};
}

std::optional<FileStamp> StampOf(const Path& path) {
  // No access to the data is asked for, so a file another program holds open is examined too.
  const HANDLE handle = ::CreateFileW(platform::WinPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  FILE_BASIC_INFO times{};
  const bool ok = ::GetFileInformationByHandle(handle, &info) &&
                  ::GetFileInformationByHandleEx(handle, FileBasicInfo, &times, sizeof times);
  ::CloseHandle(handle);
  if (!ok || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::nullopt;
  const auto join = [](DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
  };
  return FileStamp{join(info.nFileSizeHigh, info.nFileSizeLow), times.LastWriteTime.QuadPart,
                   times.ChangeTime.QuadPart, platform::IdOf(info)};
}

#else

namespace {

std::int64_t Nanoseconds(const struct timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

#if defined(__APPLE__)
const struct timespec& ModifiedTime(const struct stat& st) { return st.st_mtimespec; }
const struct timespec& ChangedTime(const struct stat& st) { return st.st_ctimespec; }
#else
const struct timespec& ModifiedTime(const struct stat& st) { return st.st_mtim; }
const struct timespec& ChangedTime(const struct stat& st) { return st.st_ctim; }
#endif

}  // namespace

FileId platform::IdOf(const struct stat& st) {
  return FileId{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                static_cast<std::uint64_t>(st.st_size), Nanoseconds(ModifiedTime(st))};
}

std::optional<FileStamp> StampOf(const Path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FileStamp{static_cast<std::uint64_t>(st.st_size), Nanoseconds(ModifiedTime(st)),
                   Nanoseconds(ChangedTime(st)), platform::IdOf(st)};
}

#endif

}  // namespace pak

// What each platform's file system (file_system_posix.cc, file_system_win32.cc) gives the parts
// of the file system written once for all platforms (file_system.cc). Not for other callers.
#pragma once

#include "codec/file_system.h"

#ifdef _WIN32
struct _BY_HANDLE_FILE_INFORMATION;
#else
struct stat;
#endif

namespace pak::platform {

// The identity of a file from what the system says of it.
#ifdef _WIN32
FileId IdOf(const _BY_HANDLE_FILE_INFORMATION& info);
#else
FileId IdOf(const struct stat& st);
#endif

// The present process's id.
unsigned long ProcessId();

// The name of a new hidden temporary file made from `hint` (a file name): a dot, the hint cut
// between characters to at most 120 of the system's units (bytes of UTF-8, or UTF-16 units; half
// a character makes a name the system refuses), ".tmp", the process's id and a number counted up
// in the process, so that one name is tried once.
Path HiddenTemporaryName(const Path& hint);

#ifdef _WIN32
// The path as the wide API takes it. A long absolute path gets the \\?\ prefix, which lifts the
// 260-character limit; the prefix turns off the API's own clean-up, so the path is normalised
// first.
std::wstring WinPath(const Path& path);
#endif

// Creates the folder `folder` that only the present user can enter, neither following nor
// replacing what has that name already. When something has it, whoever made it, the failure
// says so through *taken.
Status MakePrivateFolder(const Path& folder, bool* taken);

}  // namespace pak::platform

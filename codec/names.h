// Name rules shared by the reader, the writer and the workflows.
//
// Inside an archive the game's sound files are named ".wav"; on disk, in the
// entry list and in FilesList.txt they carry ".ogg". Only the last extension
// counts and the comparison ignores case. Also here: the check that an entry
// name is safe to write as a file inside the extraction folder.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codec/status.h"

namespace pak {

// The name of the list file that extraction writes beside the entries.
inline constexpr std::u16string_view kFilesListName = u"FilesList.txt";
// A file that packing always leaves out.
inline constexpr std::u16string_view kFamilyBinName = u"Family.Bin";

// "x.WAV" -> "x.ogg"; anything else unchanged. Applied when reading.
std::u16string ArchiveToDiskName(std::u16string_view stored_name);
// "x.OGG" -> "x.wav"; anything else unchanged. Applied when writing.
std::u16string DiskToArchiveName(std::u16string_view listed_name);

enum class NameRules { kPosix, kWindows };
// The rules of the system this was built for.
NameRules HostNameRules();

// The longest file names the systems take: 255 bytes on POSIX file systems (NAME_MAX), 255
// UTF-16 code units on Windows.
inline constexpr std::size_t kMaxPosixNameBytes = 255;
inline constexpr std::size_t kMaxWindowsNameUnits = 255;

// Why a name cannot be written as a file directly inside the extraction folder
// and nowhere else, or null when it can: empty, "." or "..", a "/", "\", ":"
// or control character, an invisible or text-direction character above U+00FF
// (IsHiddenCharacter), the list file's own name, longer than the system
// allows; under Windows rules also a reserved device name (CON, NUL, CONIN$,
// COM1, COM with a superscript digit, ...),
// a trailing dot or space, any of <>"|?*, and a name in the form of a short (8.3) alias
// ("MYLONG~1.TXT": it fits 8.3 and its base holds a "~").
const char* EntryNameFault(std::u16string_view name, NameRules rules);

// EntryNameFault as a refusal whose message names the entry by its number and name.
Status CheckEntryName(std::u16string_view name, size_t index, NameRules rules);

// How an entry is named in messages: entry 3 ("name"), the name escaped as EscapeControls does.
std::string DescribeEntry(size_t index, std::u16string_view name);

// Two of a sequence of names, written one after another as files of one folder, that lead to the
// same file: the file ends with what was written under the name at `kept`, the last of those
// that lead to it, and what was written under the one at `lost` is gone. Positions in the
// sequence.
struct NameClash {
  std::size_t lost = 0;
  std::size_t kept = 0;
  friend bool operator==(const NameClash&, const NameClash&) = default;
};

// Every name of `names` that a later one leads to the same file as, in order, with the last name
// that leads there: names that are equal, or with `ignore_case` equal ignoring case. One pass
// over a hash of the names.
std::vector<NameClash> FindNameClashes(std::span<const std::u16string_view> names,
                                       bool ignore_case);

}  // namespace pak

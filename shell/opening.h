// What a double click may hand to the system's program for a file's kind, and how a private copy
// is marked before it is handed over.
//
// Names come from archives and folders that may be a stranger's: "holiday<U+202E>gpj.cmd" shows
// as "holidaydmc.jpg" and, opened "with its program" on Windows, runs the script it holds. So
// only a short list of data kinds opens, judged by the last extension alone, exactly as the
// system will judge it.
#pragma once

#include <string>
#include <string_view>

#include "codec/file_system.h"

namespace shell {

// The text after the last dot of the last name of `name` ('/' and '\' both end a name), as it
// is: no case folding, no character left out. Empty for a name without a dot or ending in one.
std::u16string LastExtension(std::u16string_view name);

// Whether a file named `name` is a kind that the system's program only reads: a sound, a
// picture, text or one of the game's own files. Compared ignoring ASCII case; anything not on
// the list, a name without an extension included, is refused.
bool OpensAsData(std::u16string_view name);

// The box that refuses to open `name`: the name and its real extension, escaped.
std::u16string NotOpenedText(std::u16string_view name);
// Its patterns: %1 is the name, %2 the extension.
inline constexpr char16_t kNoExtensionText[] =
    u"Not opened: %1\n\nIt has no extension, so it is not one of the sounds, pictures, text or "
    u"game files opened from here: a file of another kind could run as a program. Nothing was "
    u"written.";
inline constexpr char16_t kOtherExtensionText[] =
    u"Not opened: %1\n\nIts extension, \".%2\", is not one of the sounds, pictures, text or "
    u"game files opened from here: a file of another kind could run as a program. Nothing was "
    u"written.";

// Marks `file`, a private copy made from an archive, as foreign before it is handed to another
// program. On Windows its "Zone.Identifier" stream says it came from the Internet, so the
// system warns before running anything from it; false where the volume keeps no such streams
// (FAT, Wine), which is left as it was. Elsewhere its mode becomes owner read and write, never
// executable whatever the umask; false when that failed.
bool MarkAsDownloaded(const pak::Path& file);

}  // namespace shell

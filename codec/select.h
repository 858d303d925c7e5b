// Choosing entries of an archive by name or by pattern, for the commands that
// work on some entries only (listing, extracting).
//
// Names are the names as on disk (".wav" entries as ".ogg") and compare
// ignoring case, as everywhere in the tools. Patterns are shell-style globs:
// "*" matches any run of characters (also none, also a leading dot), "?" one
// character, "[abc]", "[a-z]" one character of a set and "[!abc]" or "[^abc]"
// one character outside it; a "]" right after the opening "[" (or "[!") is
// part of the set, and "\" takes the next character literally. Case is
// ignored in patterns too. A "[" without its "]" is an ordinary character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "codec/reader.h"
#include "codec/status.h"

namespace pak {

// Whether `name` matches the glob `pattern` as a whole.
bool GlobMatch(std::u16string_view pattern, std::u16string_view name);

struct EntrySelection {
  std::vector<std::u16string> names;     // entries wanted by name
  std::vector<std::u16string> includes;  // globs: entries wanted by pattern
  std::vector<std::u16string> excludes;  // globs: entries never wanted

  // Nothing asked for: every entry.
  bool everything() const { return names.empty() && includes.empty() && excludes.empty(); }
};

// The indices of the chosen entries, in archive order. An entry is chosen when
// it carries one of the names or matches one of the includes (with neither
// given, every entry is), and matches none of the excludes. A name that no
// entry carries is refused, and the message lists every such name. Entries
// that share a name are all chosen, so extracting them leaves the later one.
Result<std::vector<std::size_t>> SelectEntries(const PakArchive& archive,
                                               const EntrySelection& selection);

}  // namespace pak

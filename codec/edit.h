// Changing a few entries of an archive file without unpacking it: entries added or replaced from
// files, entries removed by name.
//
// The archive is written anew as pack writes one (header, directory, then each entry's bytes in
// directory order), into a temporary file beside it that takes its place only when complete and
// flushed, as PackFolder's does: on any failure or refusal the old archive is as it was. Entries
// the edit does not touch keep their stored names and bytes, copied from the old archive a range
// at a time (it is never read whole).
//
// Names follow pack's rules: an added file is stored under its own name, ".ogg" as ".wav", and
// is refused where pack would refuse it. An entry is named as on disk or as stored ("a.ogg" or
// "a.wav"), case ignored: the name of the file that extraction would write it to.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "codec/file_system.h"
#include "codec/status.h"
#include "codec/writer.h"

namespace pak {

struct ArchiveEdit {
  // Files that become entries named after them. A file replaces, at its place, the entry that
  // would be extracted to the same file (and drops any further one that would); any other file
  // is a new entry, placed in name order when the archive's entries are in name order (so that
  // extracting and packing the result gives its bytes back), after the last entry otherwise.
  std::vector<Path> add;
  // Entries to remove, each of which the archive must hold.
  std::vector<std::u16string> remove;
  // Where not empty, the name on disk that the file of `add` at the same place is taken to have
  // (its entry is named after it, as above) instead of its own: a file that replaces an entry
  // whatever it is called. Checked as the file's own name would be.
  std::vector<std::u16string> add_as;
};

// What an edit changed.
struct EditCounts {
  std::size_t added = 0;     // new entries
  std::size_t replaced = 0;  // entries that took a file's bytes
  std::size_t removed = 0;   // entries removed by name, or dropped as another's duplicate
  friend bool operator==(const EditCounts&, const EditCounts&) = default;
};

// Rewrites the archive at `archive_path` with `edit` applied. Refused before anything is written:
// a name to remove that the archive does not hold (all such names are named), an added file that
// is not an ordinary file, is the archive itself, or has a name pack refuses; two added files
// that would be stored under one name; an archive left with no entries or too many. `progress`
// counts the entries of the new archive; a `stop` that is set ends the edit before the next
// entry, the archive as it was.
Result<EditCounts> EditArchive(FileSystem& fs, const Path& archive_path, const ArchiveEdit& edit,
                               const Progress& progress = {}, const StopFlag* stop = nullptr);

}  // namespace pak

// Comparing the files of a folder with the entries of an archive, byte for
// byte: what changed in a folder since it was extracted, whether a folder
// holds exactly what an archive holds, and whether an archive just written
// holds the files it was packed from.
//
// Sizes are compared first, so a file of another size is never read; files of
// the same size are read once, beside their entry's bytes, and the reading
// stops at the first difference. Entries are visited in the order of their
// offsets, so an archive opened with OpenPakFile is read front to back.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "codec/file_system.h"
#include "codec/names.h"
#include "codec/reader.h"
#include "codec/status.h"
#include "codec/writer.h"

namespace pak {

// An entry whose file holds the bytes of another, later entry that lands on the same file.
struct OverwrittenEntry {
  std::size_t entry = 0;  // its index
  std::u16string name;    // as on disk
  friend bool operator==(const OverwrittenEntry&, const OverwrittenEntry&) = default;
};

struct ContentDifference {
  std::vector<std::u16string> added;          // files that no entry holds, in the given order
  std::vector<std::u16string> deleted;        // entry names without a file, in archive order
  std::vector<std::u16string> modified;       // files whose bytes differ from their entry's
  std::vector<OverwrittenEntry> overwritten;  // in archive order
  bool empty() const {
    return added.empty() && deleted.empty() && modified.empty() && overwritten.empty();
  }
};

// Compares `files` (names inside `folder`, normally a folder scan's list) with
// the archive's entries, as extraction under `rules` leaves them. A file and an
// entry belong together when their names (as on disk) are equal, or failing
// that, equal ignoring case. Of entries that share a name the last one counts;
// under Windows rules names that differ only in case are one name. Each name
// is reported once. The file of a name that several entries share is also
// compared with each earlier one: one that holds other bytes is overwritten,
// its bytes in no file.
Result<ContentDifference> CompareWithArchive(FileSystem& fs, const PakArchive& archive,
                                             const Path& folder,
                                             std::span<const std::u16string> files,
                                             NameRules rules = HostNameRules(),
                                             const Progress& progress = {});

// Whether entries `a` and `b` hold the same bytes.
Result<bool> SameEntryBytes(const PakArchive& archive, std::size_t a, std::size_t b);

// Checks that the archive at `archive_path` holds the listed files of `folder`
// as its entries, in list order, under the names the writer gives them and
// with the same bytes. The message of a failure names the file.
Status VerifyPackedArchive(FileSystem& fs, const Path& archive_path, const Path& folder,
                           std::span<const std::u16string> names);

}  // namespace pak

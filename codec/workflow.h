// The workflows that Unbaler, Rebaler and baler share, so that the three
// cannot drift apart: extracting an archive into a folder, scanning a folder
// to pack, comparing its files with the names FilesList.txt recorded, and
// packing the folder into an archive file.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "codec/file_system.h"
#include "codec/names.h"
#include "codec/reader.h"
#include "codec/status.h"
#include "codec/text.h"
#include "codec/writer.h"

namespace pak {

// ---- Extraction ----

// Of the entries at `order`, written in that order into one folder, each whose bytes are in no
// file afterwards: a later entry lands on its file (the same name, "a.ogg" beside a stored
// "a.wav", or with `ignore_case` a name equal ignoring case) and holds other bytes. `lost` and
// `kept` are entry indices, `kept` the last entry that lands on the file. An entry whose bytes
// equal those that end in its file loses nothing and is left out.
Result<std::vector<NameClash>> LostEntries(const PakArchive& archive,
                                           std::span<const std::size_t> order, bool ignore_case);

// The entries of `lost` for a message: "entry 1 ("a.ogg") by entry 3 ("a.ogg"), ...", at most a
// few of them, then how many more.
std::string DescribeLostEntries(const PakArchive& archive, std::span<const NameClash> lost);

// LostEntries for an extraction into `folder`: names equal ignoring case land on one file under
// Windows rules, and under POSIX rules when the folder ignores case (asked of the file system
// only when the archive holds names that differ only in case).
Result<std::vector<NameClash>> LostInFolder(FileSystem& fs, const PakArchive& archive,
                                            std::span<const std::size_t> order, const Path& folder,
                                            NameRules rules);

// Checks every entry name (CheckEntryName) before anything is written.
Status CheckExtractNames(const PakArchive& archive, NameRules rules);

// Refuses an extraction that would write over the archive it reads: an entry,
// or FilesList.txt, whose path leads to the archive's own file (by identity, so
// through links too). Nothing for an archive parsed from memory.
Status CheckExtractTargets(FileSystem& fs, const PakArchive& archive, const Path& folder);

// Writes every entry, in table order, and FilesList.txt into `folder`, after
// checking the names and the targets. Each file is written under no name (or a
// hidden temporary one) and takes its name only when complete, replacing an
// existing file (also a read-only one, or a link, which is replaced and not
// followed): no file ever holds a part of an entry under the entry's name, and
// an interruption leaves nothing half-written. FilesList.txt is written the
// same way, last, naming the entries whose files were written; a folder that
// cannot be written fails before anything changes. On a failure the files
// already written stay, and the list names them. A file that replaces another
// (and FilesList.txt) is flushed to the disk before it takes the name and the
// folder after it, so that not even a power cut leaves the name without a
// whole file; a new file needs no flush. `progress` hears of each entry once its file has its
// name, and of each chunk of a large entry's bytes. A `stop` that is set ends the extraction
// between two chunks, as a failure would, dropping the entry being written and the files that
// wait to replace older ones (which stay whole), so that a stop needs no flush of the disk: every
// entry is then whole or absent, and the list names those written. Entries that land on one file
// are written as any other, the last one's bytes ending in the file; when some entry's bytes are
// thus in no file (LostInFolder), the extraction fails after everything else is written, naming
// them.
// The entries at `kept` are not written: their files (which the user changed since an earlier
// extraction, ChangedSinceExtraction, or which existed and were not to be replaced) stay as they
// are, and the list names them as any other. Once the new list is written, each kept file is
// marked as modified after it (MarkModifiedAfter), so that the next extraction still finds it
// changed.
Status ExtractAll(FileSystem& fs, const PakArchive& archive, const Path& folder,
                  const CodePage& code_page, NameRules rules = HostNameRules(),
                  const Progress& progress = {}, const StopFlag* stop = nullptr,
                  std::span<const std::size_t> kept = {});

// Writes only the entries at `indices` (in the given order) into `folder`, and
// no FilesList.txt, since the folder does not hold the whole archive. The
// names are checked, files are replaced, entries that land on one file are reported and a `stop`
// ends it as in ExtractAll.
Status ExtractSelected(FileSystem& fs, const PakArchive& archive, const Path& folder,
                       std::span<const std::size_t> indices, NameRules rules = HostNameRules(),
                       const Progress& progress = {}, const StopFlag* stop = nullptr);

// ---- Files changed after an extraction ----

// Of `names`, the files about to be written into `folder` (entry names, as on disk), the
// positions of those that an earlier extraction wrote and that were modified since: the folder's
// FilesList.txt records the name (compared as `rules` compare file names) and the file's
// modification time is later than the list's. Extraction writes every file before the list, and a
// failed one lists only the files it wrote, so a file nobody touched is never later than the
// list. It costs reading the list and one look at each file's times; no file is read. A time
// equal to the list's is not later: a volume that keeps coarse times (two seconds on FAT) cannot
// tell an edit within that step from the extraction, and takes it as the extraction. Without a
// list nothing was extracted there, and nothing is changed.
Result<std::vector<std::size_t>> ChangedSinceExtraction(FileSystem& fs, const Path& folder,
                                                        std::span<const std::u16string> names,
                                                        const CodePage& code_page,
                                                        NameRules rules = HostNameRules());

// The positions of those of `names` that are files in `folder` already.
std::vector<std::size_t> ExistingFiles(FileSystem& fs, const Path& folder,
                                       std::span<const std::u16string> names);

// ---- Folder scan and comparison ----

struct FolderScan {
  // The files to pack, sorted by name ignoring case; FilesList.txt and
  // Family.Bin are left out, and so are hidden files unless FilesList.txt
  // records them.
  std::vector<std::u16string> files;
  // Whether the folder holds FilesList.txt (in any letter case).
  bool files_list_found = false;
  // The names FilesList.txt recorded, first occurrences only (ignoring case).
  std::vector<std::u16string> recorded_names;
  // Links to files outside the folder, sorted as `files`, which they are not among: packing
  // them would put whatever they lead to (a key, a password file) into the archive. With
  // `follow_links` they are among `files` instead, and this is empty.
  std::vector<std::u16string> outside_links;
  // What the folder holds that is not packed, sorted by name: special files, and links that
  // lead to no ordinary file. Sub-folders, hidden files, FilesList.txt and Family.Bin are not
  // counted here.
  std::vector<LeftOutFile> left_out;
};

// Lists `folder` and reads its FilesList.txt. A `stop` that is set ends the scan early with a
// kCancelled status and no scan: a folder is never half listed.
Result<FolderScan> ScanFolder(FileSystem& fs, const Path& folder, const CodePage& code_page,
                              const StopFlag* stop = nullptr, bool follow_links = false);

// Refuses to pack a folder that holds links to files outside it, naming every one; nothing is
// written.
Status CheckFolderLinks(const FolderScan& scan);

// One line that says a file of the folder is not packed, and why.
std::string LeftOutNote(const LeftOutFile& file);

struct NameDifference {
  std::vector<std::u16string> added;    // files the list does not record
  std::vector<std::u16string> deleted;  // recorded names without a file
  // Whether the user must confirm before packing: files were added while a
  // FilesList.txt exists, or recorded files are gone.
  bool needs_confirmation = false;
};

NameDifference CompareNames(const FolderScan& scan);

// ---- Packing ----

// Refuses an archive path that is one of the files to pack or the folder's
// FilesList.txt, by identity (through links too), not only by name.
Status CheckPackTarget(FileSystem& fs, const Path& folder, std::span<const std::u16string> names,
                       const Path& archive_path);

// Packs the listed files of `folder` into `archive_path`. The archive is
// written to a temporary file beside the target and moved over it only when
// complete: on any failure the old archive is whole and no temporary file is
// left. A read-only target is replaced too. The new archive is flushed to the
// disk before the move, and the folder after it, so that at every instant the
// old archive or the new one is whole on the disk. A folder flush that fails
// after the move is reported as a failure too, with the new archive in place.
// With `verify`, the temporary file is read back and compared with the files
// (VerifyPackedArchive) before it takes the target's place. `progress` hears of each file and of
// each chunk of a large one. A `stop` that is set ends the pack between two chunks, leaving the
// old archive as it was.
Status PackFolder(FileSystem& fs, const Path& folder, std::span<const std::u16string> names,
                  const Path& archive_path, const Progress& progress = {}, bool verify = false,
                  const StopFlag* stop = nullptr);

}  // namespace pak

// Writing PAK archives from the files of a folder.
//
// WritePak lays out the header and the whole directory, then appends each
// file's bytes in list order, then fills the directory's offsets and sizes:
// the byte layout is the same whether the archive goes to memory (BuildPak) or
// straight into a file (PackFolder in workflow.h). Names ending in ".ogg" are
// stored as ".wav". A zero-byte file becomes an entry of size 0.
//
// The writer refuses, before reading any file: no names, more than 65,535
// names, a name longer than 254 code units, a code unit outside U+0001..U+00FF
// (the reader could not read it back). It refuses an archive that would reach
// 2 GiB while writing.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "codec/file_system.h"
#include "codec/status.h"

namespace pak {

// Called after each entry: (entries done, entries in all).
using Progress = std::function<void(std::size_t, std::size_t)>;
// Set, from any thread, to ask a running extraction or pack to stop before its next entry; the
// call then ends with a kCancelled status.
using StopFlag = std::atomic<bool>;

// Where the writer puts the archive's bytes.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual Status Append(std::span<const std::uint8_t> bytes) = 0;
  virtual Status AppendFrom(InputFile& in, std::uint64_t size) = 0;
  virtual Status WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) = 0;
  virtual std::uint64_t size() const = 0;
};

// Checks the names against the writer's limits, and that no two land on one file when the
// archive is extracted (CheckPackClashes); the message names the file.
Status CheckPackNames(std::span<const std::u16string> names);

// Refuses names of which two would be stored under one name ("a.ogg" and "a.wav"), or under names
// equal ignoring case, naming the pairs.
Status CheckPackClashes(std::span<const std::u16string> names);

// The header and the directory of an archive whose entries have these stored names, with zeros
// where the offsets and sizes go: slots[i] is where record i's offset is, its size in the four
// bytes after it. Entry bytes follow the directory.
std::vector<std::uint8_t> LayOutDirectory(std::span<const std::u16string> stored_names,
                                          std::vector<std::size_t>* slots);

// Writes the archive of the listed files of `folder`, in list order.
Status WritePak(FileSystem& fs, const Path& folder, std::span<const std::u16string> names,
                ByteSink& sink, const Progress& progress = {}, const StopFlag* stop = nullptr);

// The whole archive in memory.
Result<std::vector<std::uint8_t>> BuildPak(FileSystem& fs, const Path& folder,
                                           std::span<const std::u16string> names);

}  // namespace pak

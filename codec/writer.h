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
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "codec/file_system.h"
#include "codec/status.h"

namespace pak {

// How far an extraction or a pack has come: the entries done of all, and the bytes copied of all
// (the entries' bytes, not the archive's directory or FilesList.txt).
struct ProgressCount {
  std::size_t entries = 0;
  std::size_t entries_total = 0;
  std::uint64_t bytes = 0;
  std::uint64_t bytes_total = 0;
  friend bool operator==(const ProgressCount&, const ProgressCount&) = default;
};

// Called after each entry and, inside a large one, after each chunk of its bytes. A callback may
// take the whole count, or only (entries done, entries in all): it then hears each report with
// the entry counts alone, and so hears the same counts again while an entry is copied.
class Progress {
 public:
  Progress() = default;
  Progress(std::nullptr_t) {}  // NOLINT(google-explicit-constructor): as std::function's
  template <typename F>
  requires(!std::same_as<std::remove_cvref_t<F>, Progress> &&
           std::invocable<const F&, const ProgressCount&>) Progress(F report)
      : report_(std::move(report)) {}  // NOLINT(google-explicit-constructor)
  template <typename F>
  requires(!std::same_as<std::remove_cvref_t<F>, Progress> &&
           !std::invocable<const F&, const ProgressCount&> &&
           std::invocable<const F&, std::size_t, std::size_t>)
      Progress(F report)  // NOLINT(google-explicit-constructor)
      : report_([report = std::move(report)](const ProgressCount& count) {
          report(count.entries, count.entries_total);
        }) {}

  void operator()(const ProgressCount& count) const { report_(count); }
  void operator()(std::size_t entries, std::size_t entries_total) const {
    report_({entries, entries_total, 0, 0});
  }
  explicit operator bool() const { return static_cast<bool>(report_); }

 private:
  std::function<void(const ProgressCount&)> report_;
};

// Set, from any thread, to ask a running extraction or pack to stop; it stops between two chunks
// of an entry's bytes, drops the entry it was writing, and ends with a kCancelled status.
using StopFlag = std::atomic<bool>;

// The bytes copied between two looks at the stop flag and two progress reports inside an entry:
// small enough that a stop is heard within a fraction of a second on a slow disk, large enough
// that each chunk is one cheap copy.
inline constexpr std::uint64_t kCopyChunk = 2u << 20;

// Copies `size` bytes a chunk at a time: `copy(at, n)` copies the `n` bytes `at` bytes in. After
// each chunk `copied(n)` hears of it, and a `stop` that is set then ends the copy with a
// kCancelled status, `stopped` its message.
Status CopyInChunks(std::uint64_t size,
                    const std::function<Status(std::uint64_t, std::uint64_t)>& copy,
                    const std::function<void(std::uint64_t)>& copied, const StopFlag* stop,
                    const char* stopped);

// Where the writer puts the archive's bytes.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual Status Append(std::span<const std::uint8_t> bytes) = 0;
  // Appends `size` bytes of `in` from `offset`.
  virtual Status AppendFrom(InputFile& in, std::uint64_t offset, std::uint64_t size) = 0;
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

// In-process timings of the work behind baler, Unbaler and Rebaler, with Google Benchmark.
//
// The data come from the caller (bench/run makes them): a large archive, an archive of many
// small entries, and a folder of many small files. Benchmarks whose data were not given are not
// registered, so the program runs on its own with the skin alone:
//
//   codec_bench [benchmark flags] [--archive=FILE]... [--folder=DIR] [--skin=FILE.bmp]
//
// Besides the timings, LoadPakFile's memory is measured once per archive: the peak resident
// growth while the archive is read and parsed, and what the loaded archive keeps, both as
// multiples of the file's size (the counters peak_x and held_x).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codec/file_system.h"
#include "codec/reader.h"
#include "codec/text.h"
#include "codec/workflow.h"
#include "shell/window_region.h"

namespace {

using pak::Path;

[[noreturn]] void Die(const std::string& what) {
  std::cerr << "codec_bench: " << what << "\n";
  std::exit(2);
}

// ---- Resident memory, from /proc/self/status (Linux) ----

// The value of a "Name:   1234 kB" line in bytes, or -1 where there is no such line.
std::int64_t StatusBytes(std::string_view field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.compare(0, field.size(), field) == 0 && line.size() > field.size() &&
        line[field.size()] == ':') {
      return std::stoll(line.substr(field.size() + 1)) * 1024;
    }
  }
  return -1;
}

// Resets the peak resident size to the current one; false where the system does not allow it.
bool ResetPeakResident() {
  std::FILE* f = std::fopen("/proc/self/clear_refs", "w");
  if (f == nullptr) return false;
  const bool ok = std::fputs("5", f) >= 0;
  return std::fclose(f) == 0 && ok;
}

// ---- The archives ----

std::string Label(const Path& path) { return path.stem().string(); }

void BM_LoadPakFile(benchmark::State& state, Path path) {
  std::uint64_t bytes = 0;
  for (auto _ : state) {
    auto archive = pak::LoadPakFile(pak::DefaultFileSystem(), path);
    if (!archive.ok()) {
      state.SkipWithError(archive.status().message().c_str());
      return;
    }
    bytes = archive->empty() ? 0 : std::filesystem::file_size(path);
    benchmark::DoNotOptimize(archive->entries().data());
    state.counters["entries"] = static_cast<double>(archive->size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes * state.iterations()));
}

void BM_ParsePak(benchmark::State& state, Path path) {
  auto read = pak::DefaultFileSystem().ReadWholeFile(path);
  if (!read.ok()) {
    state.SkipWithError(read.status().message().c_str());
    return;
  }
  const std::vector<std::uint8_t> bytes = std::move(read).value();
  for (auto _ : state) {
    // ParsePak takes the buffer over; the copy that feeds it is not part of the work.
    state.PauseTiming();
    std::vector<std::uint8_t> copy = bytes;
    state.ResumeTiming();
    auto archive = pak::ParsePak(std::move(copy));
    if (!archive.ok()) {
      state.SkipWithError(archive.status().message().c_str());
      return;
    }
    benchmark::DoNotOptimize(archive->entries().data());
    state.PauseTiming();
    *archive = pak::PakArchive();  // the release is not timed either
    state.ResumeTiming();
  }
  state.counters["entries"] = 0;
  if (auto archive = pak::ParsePak(bytes); archive.ok()) {
    state.counters["entries"] = static_cast<double>(archive->size());
  }
}

void BM_OpenPakFile(benchmark::State& state, Path path) {
  for (auto _ : state) {
    auto archive = pak::OpenPakFile(pak::DefaultFileSystem(), path);
    if (!archive.ok()) {
      state.SkipWithError(archive.status().message().c_str());
      return;
    }
    benchmark::DoNotOptimize(archive->entries().data());
    state.counters["entries"] = static_cast<double>(archive->size());
  }
}

// One load, measured for memory rather than time.
void BM_LoadPakFileMemory(benchmark::State& state, Path path) {
  const double file_size = static_cast<double>(std::filesystem::file_size(path));
  for (auto _ : state) {
    const std::int64_t before = StatusBytes("VmRSS");
    const bool peak_known = ResetPeakResident();
    auto archive = pak::LoadPakFile(pak::DefaultFileSystem(), path);
    if (!archive.ok()) {
      state.SkipWithError(archive.status().message().c_str());
      return;
    }
    const std::int64_t held = StatusBytes("VmRSS") - before;
    const std::int64_t peak = StatusBytes("VmHWM") - before;
    benchmark::DoNotOptimize(archive->entries().data());
    state.counters["file_MB"] = file_size / 1e6;
    state.counters["held_MB"] = static_cast<double>(held) / 1e6;
    state.counters["held_x"] = static_cast<double>(held) / file_size;
    if (peak_known) {
      state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
      state.counters["peak_x"] = static_cast<double>(peak) / file_size;
    }
  }
}

// ---- The folder ----

// The folder's scan; nothing, with the run marked as failed, when the folder cannot be scanned.
std::optional<pak::FolderScan> ScanOrSkip(benchmark::State& state, const Path& folder) {
  pak::Result<pak::FolderScan> scan =
      pak::ScanFolder(pak::DefaultFileSystem(), folder, pak::SystemCodePage());
  if (scan.ok()) return std::move(*scan);
  state.SkipWithError(scan.status().message().c_str());
  return std::nullopt;
}

void BM_ScanFolder(benchmark::State& state, Path folder) {
  for (auto _ : state) {
    const std::optional<pak::FolderScan> scan = ScanOrSkip(state, folder);
    if (!scan) return;
    benchmark::DoNotOptimize(scan->files.data());
    state.counters["files"] = static_cast<double>(scan->files.size());
    state.counters["recorded"] = static_cast<double>(scan->recorded_names.size());
  }
}

void BM_CompareNames(benchmark::State& state, Path folder) {
  const std::optional<pak::FolderScan> scan = ScanOrSkip(state, folder);
  if (!scan) return;
  for (auto _ : state) {
    pak::NameDifference diff = pak::CompareNames(*scan);
    benchmark::DoNotOptimize(diff.added.data());
    state.counters["added"] = static_cast<double>(diff.added.size());
    state.counters["deleted"] = static_cast<double>(diff.deleted.size());
  }
}

void BM_ScanAndCompare(benchmark::State& state, Path folder) {
  for (auto _ : state) {
    const std::optional<pak::FolderScan> scan = ScanOrSkip(state, folder);
    if (!scan) return;
    pak::NameDifference diff = pak::CompareNames(*scan);
    benchmark::DoNotOptimize(diff.added.data());
    state.counters["files"] = static_cast<double>(scan->files.size());
  }
}

// ---- The skin ----

struct Picture {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> file;  // the BMP as read
  std::size_t bits = 0;            // where the pixel rows start in `file`
  std::size_t stride = 0;          // bytes per stored row
  bool bottom_up = true;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first

  // The colour of (x, y) read from the BMP bytes themselves.
  std::uint32_t At(std::int32_t x, std::int32_t y) const {
    const std::size_t row = static_cast<std::size_t>(bottom_up ? height - 1 - y : y);
    const std::uint8_t* p = &file[bits + row * stride + static_cast<std::size_t>(x) * 3];
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16);
  }
};

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// Reads an uncompressed 24-bit BMP.
Picture ReadBmp(const Path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Die("cannot open " + path.string());
  Picture pic;
  pic.file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  const auto& b = pic.file;
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') Die(path.string() + " is not a BMP");
  const std::uint32_t bpp = static_cast<std::uint32_t>(b[28]) | (b[29] << 8);
  const std::uint32_t compression = Le32(b, 30);
  if (bpp != 24 || compression != 0) Die(path.string() + " is not an uncompressed 24-bit BMP");
  pic.bits = Le32(b, 10);
  pic.width = static_cast<std::int32_t>(Le32(b, 18));
  const auto height = static_cast<std::int32_t>(Le32(b, 22));
  pic.bottom_up = height > 0;
  pic.height = height > 0 ? height : -height;
  pic.stride = (static_cast<std::size_t>(pic.width) * 3 + 3) & ~std::size_t{3};
  if (pic.width <= 0 || pic.bits + pic.stride * static_cast<std::size_t>(pic.height) > b.size()) {
    Die(path.string() + " is truncated");
  }
  pic.pixels.resize(static_cast<std::size_t>(pic.width) * static_cast<std::size_t>(pic.height));
  for (std::int32_t y = 0; y < pic.height; ++y) {
    for (std::int32_t x = 0; x < pic.width; ++x) {
      pic.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(pic.width) +
                 static_cast<std::size_t>(x)] = pic.At(x, y);
    }
  }
  return pic;
}

// The front ends' path: a 32-bit image, its runs, and the merged rectangles.
void BM_WindowRegion(benchmark::State& state, const Picture* pic) {
  for (auto _ : state) {
    auto runs = shell::WindowRegionRuns(pic->pixels.data(), pic->width, pic->height, pic->width);
    auto rects = shell::MergeRegionRuns(runs);
    benchmark::DoNotOptimize(rects.data());
    state.counters["runs"] = static_cast<double>(runs.size());
    state.counters["rects"] = static_cast<double>(rects.size());
  }
  state.SetItemsProcessed(state.iterations() * pic->width * pic->height);
}

// One call per pixel, straight from the BMP's bytes: the slowest way a front end may read it.
void BM_WindowRegionPixelAt(benchmark::State& state, const Picture* pic) {
  for (auto _ : state) {
    auto runs = shell::WindowRegionRuns(
        pic->width, pic->height, [pic](std::int32_t x, std::int32_t y) { return pic->At(x, y); });
    benchmark::DoNotOptimize(runs.data());
    state.counters["runs"] = static_cast<double>(runs.size());
  }
  state.SetItemsProcessed(state.iterations() * pic->width * pic->height);
}

bool TakeFlag(std::string_view arg, std::string_view name, std::string* value) {
  if (arg.size() <= name.size() + 3 || arg.substr(0, 2) != "--" ||
      arg.substr(2, name.size()) != name || arg[2 + name.size()] != '=') {
    return false;
  }
  *value = std::string(arg.substr(name.size() + 3));
  return true;
}

}  // namespace

// Registers a benchmark of whole operations on a file or folder: in milliseconds of wall time.
template <typename Function, typename Argument>
benchmark::internal::Benchmark* Timed(const char* name, Function function, Argument argument) {
  return benchmark::RegisterBenchmark(name, function, argument)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
}

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::vector<Path> archives;
  Path folder;
  Path skin = Path(BALER_SOURCE_DIR) / "skin" / "skin.bmp";
  for (int i = 1; i < argc; ++i) {
    std::string value;
    if (TakeFlag(argv[i], "archive", &value)) {
      archives.emplace_back(value);
    } else if (TakeFlag(argv[i], "folder", &value)) {
      folder = value;
    } else if (TakeFlag(argv[i], "skin", &value)) {
      skin = value;
    } else {
      Die(std::string("unknown argument ") + argv[i] +
          " (use --archive=FILE, --folder=DIR, --skin=FILE.bmp and the --benchmark_* flags)");
    }
  }

  for (const Path& archive : archives) {
    if (!std::filesystem::is_regular_file(archive)) Die("no archive " + archive.string());
    const std::string label = Label(archive);
    Timed(("LoadPakFile/" + label).c_str(), BM_LoadPakFile, archive);
    auto* parse = Timed(("ParsePak/" + label).c_str(), BM_ParsePak, archive);
    // Each run copies the whole archive untimed; on a large one the timed part is so short
    // that the library would ask for millions of copies.
    if (std::filesystem::file_size(archive) > (64u << 20)) parse->Iterations(20);
    Timed(("OpenPakFile/" + label).c_str(), BM_OpenPakFile, archive);
    Timed(("LoadPakFileMemory/" + label).c_str(), BM_LoadPakFileMemory, archive)->Iterations(1);
  }
  if (!folder.empty()) {
    if (!std::filesystem::is_directory(folder)) Die("no folder " + folder.string());
    const std::string label = folder.filename().string();
    Timed(("ScanFolder/" + label).c_str(), BM_ScanFolder, folder);
    Timed(("CompareNames/" + label).c_str(), BM_CompareNames, folder);
    Timed(("ScanFolder+CompareNames/" + label).c_str(), BM_ScanAndCompare, folder);
  }
  static const Picture picture = ReadBmp(skin);
  benchmark::RegisterBenchmark("WindowRegion/skin", BM_WindowRegion, &picture)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("WindowRegionPixelAt/skin", BM_WindowRegionPixelAt, &picture)
      ->Unit(benchmark::kMicrosecond);

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

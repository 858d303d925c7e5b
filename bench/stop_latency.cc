// How long a stop takes inside a large entry: makes WORK/in/big.bin (SIZE MiB, 200 by default),
// packs it with a small file into WORK/a.pak, then extracts and packs again, each a few times,
// asking for a stop from another thread, as Escape does, once a fifth to four fifths of the big
// entry is copied. Prints the time from the stop to the end of the call, and checks that the
// big entry never appeared and that the old archive is whole.
//
//     stop_latency WORK [SIZE]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "codec/reader.h"
#include "codec/text.h"
#include "codec/workflow.h"

namespace {

using Clock = std::chrono::steady_clock;

// Runs `work` on a thread, asks it to stop once `at` bytes are copied, and returns the
// milliseconds from the stop to the end of the call.
template <typename Work>
double StopAfter(std::uint64_t at, const Work& work) {
  pak::StopFlag stop{false};
  std::atomic<std::uint64_t> copied{0};
  const pak::Progress progress = [&](const pak::ProgressCount& count) { copied = count.bytes; };
  pak::Status status;
  std::thread worker([&] { status = work(progress, &stop); });
  while (copied.load() < at) std::this_thread::sleep_for(std::chrono::microseconds(200));
  const auto asked = Clock::now();
  stop = true;
  worker.join();
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - asked).count();
  if (status.kind() != pak::Status::Kind::kCancelled) {
    std::fprintf(stderr, "not stopped: %s\n", status.message().c_str());
    std::exit(1);
  }
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: stop_latency WORK [SIZE_MIB]\n");
    return 2;
  }
  const std::filesystem::path work = argv[1];
  const std::uint64_t size = (argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 200) << 20;
  pak::FileSystem& fs = pak::DefaultFileSystem();
  std::filesystem::create_directories(work / "in");
  {
    std::vector<char> block(1 << 20);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 13 + i / 7);
    std::ofstream big(work / "in" / "big.bin", std::ios::binary);
    for (std::uint64_t done = 0; done < size; done += block.size()) {
      big.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    std::ofstream(work / "in" / "a.txt") << "small";
  }
  const std::vector<std::u16string> names = {u"a.txt", u"big.bin"};
  const std::filesystem::path archive_path = work / "a.pak";
  if (!pak::PackFolder(fs, work / "in", names, archive_path).ok()) return 1;
  const auto archive_size = std::filesystem::file_size(archive_path);

  double worst = 0;
  for (int round = 0; round < 8; ++round) {
    const std::uint64_t at = 5 + size * static_cast<std::uint64_t>(1 + round % 4) / 5;
    // Into a fresh folder, and over an earlier extraction.
    const std::filesystem::path out = work / (round < 4 ? "out" + std::to_string(round) : "out");
    std::filesystem::create_directories(out);
    if (round == 4)
      std::filesystem::copy(work / "in", out,
                            std::filesystem::copy_options::overwrite_existing |
                                std::filesystem::copy_options::recursive);
    auto archive = pak::OpenPakFile(fs, archive_path);
    if (!archive.ok()) return 1;
    const double extract_ms = StopAfter(at, [&](const pak::Progress& p, const pak::StopFlag* s) {
      return pak::ExtractAll(fs, *archive, out, pak::Windows1252(), pak::HostNameRules(), p, s);
    });
    const bool dropped = round >= 4 ? std::filesystem::file_size(out / "big.bin") == size
                                    : !std::filesystem::exists(out / "big.bin");
    const double pack_ms = StopAfter(at, [&](const pak::Progress& p, const pak::StopFlag* s) {
      return pak::PackFolder(fs, work / "in", names, archive_path, p, false, s);
    });
    const bool old_whole = std::filesystem::file_size(archive_path) == archive_size;
    std::printf("stop at %3llu MiB: extraction %6.1f ms (%s), pack %6.1f ms (%s)\n",
                static_cast<unsigned long long>(at >> 20), extract_ms,
                dropped ? "entry dropped" : "ENTRY LEFT", pack_ms,
                old_whole ? "old archive whole" : "ARCHIVE CHANGED");
    worst = std::max({worst, extract_ms, pack_ms});
  }
  std::printf("longest stop: %.1f ms\n", worst);
  return 0;
}

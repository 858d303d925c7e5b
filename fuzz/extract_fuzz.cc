// libFuzzer target: whatever archive arrives, extracting it writes only inside the chosen
// folder. Each input is written as in.pak into a fresh folder `box` and extracted into that
// same folder (the archive beside its entries), through a FilesList.txt that is a link pointing
// out of the folder. Afterwards the folder around `box` must hold nothing new, the link's target
// must not exist, the archive must be unchanged, and `box` may hold only regular files.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "codec/reader.h"
#include "codec/text.h"
#include "codec/workflow.h"

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const char* what, const fs::path& path) {
  std::fprintf(stderr, "extract_fuzz: %s: %s\n", what, path.c_str());
  std::abort();
}

std::vector<std::uint8_t> Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string pattern = (fs::temp_directory_path() / "extract-fuzz-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return 0;
  const fs::path root = pattern;
  const fs::path box = root / "box";
  fs::create_directory(box);
  const std::vector<std::uint8_t> bytes(data, data + size);
  {
    std::ofstream out(box / "in.pak", std::ios::binary);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  fs::create_symlink(root / "escaped", box / "FilesList.txt");

  pak::FileSystem& files = pak::DefaultFileSystem();
  for (int way = 0; way < 2; ++way) {
    auto archive = way == 0 ? pak::OpenPakFile(files, box / "in.pak")
                            : pak::LoadPakFile(files, box / "in.pak");
    if (!archive.ok()) break;
    (void)pak::ExtractAll(files, *archive, box, pak::Windows1252());
  }

  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(root)) {
    if (entry.path() != box) Fail("a file appeared beside the folder", entry.path());
  }
  if (fs::exists(fs::symlink_status(root / "escaped"))) Fail("written through a link", root);
  if (Read(box / "in.pak") != bytes) Fail("the archive was changed", box / "in.pak");
  for (const auto& entry : fs::directory_iterator(box)) {
    const auto status = entry.symlink_status();
    const bool is_list_link = entry.path().filename() == "FilesList.txt" && fs::is_symlink(status);
    if (!fs::is_regular_file(status) && !is_list_link) Fail("not a regular file", entry.path());
  }
  fs::remove_all(root, ec);
  return 0;
}

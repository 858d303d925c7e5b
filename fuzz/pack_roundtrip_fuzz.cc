// libFuzzer target: a folder made from the input is packed, and what was packed reads back the
// same and extracts. The input is a list of files, each a name length byte, the name (one
// character per byte, U+0001..U+00FF), a data length byte and the data. Names the host cannot
// create are skipped. Packing may refuse; once it accepts, the archive must list the scanned
// files in order with their bytes, pass the extraction checks on every system, and extract into
// a fresh folder the same bytes again.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "codec/names.h"
#include "codec/reader.h"
#include "codec/text.h"
#include "codec/workflow.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "pack_roundtrip_fuzz: %s\n", pak::EscapeControls(what).c_str());
  std::abort();
}

Bytes Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string pattern = (fs::temp_directory_path() / "pack-fuzz-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return 0;
  const fs::path root = pattern;
  fs::create_directory(root / "in");
  fs::create_directory(root / "out");

  std::size_t at = 0;
  while (at < size) {
    const std::size_t name_length = data[at++];
    if (at + name_length > size) break;
    std::u16string name;
    for (std::size_t i = 0; i < name_length; ++i) name += static_cast<char16_t>(data[at + i]);
    at += name_length;
    if (at >= size) break;
    const std::size_t data_length = data[at++];
    if (at + data_length > size) break;
    const bool creatable = !name.empty() && name != u"." && name != u".." &&
                           name.find_first_of(u"/") == std::u16string::npos &&
                           name.find(u'\0') == std::u16string::npos;
    if (creatable) {
      std::ofstream out(root / "in" / pak::PathFromUtf16(name), std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(data + at),
                static_cast<std::streamsize>(data_length));
    }
    at += data_length;
  }

  pak::FileSystem& files = pak::DefaultFileSystem();
  auto scan = pak::ScanFolder(files, root / "in", pak::Windows1252());
  if (scan.ok() && pak::PackFolder(files, root / "in", scan->files, root / "a.pak").ok()) {
    auto archive = pak::LoadPakFile(files, root / "a.pak");
    if (!archive.ok()) Fail("the packed archive does not read: " + archive.status().message());
    if (archive->size() != scan->files.size()) Fail("entry count differs");
    for (pak::NameRules rules : {pak::NameRules::kPosix, pak::NameRules::kWindows}) {
      const pak::Status names = pak::CheckExtractNames(*archive, rules);
      if (!names.ok()) Fail("packed a name extraction refuses: " + names.message());
    }
    for (std::size_t i = 0; i < archive->size(); ++i) {
      const pak::PakEntry& entry = (*archive)[i];
      const std::u16string& file = scan->files[i];
      if (entry.Name != pak::ArchiveToDiskName(pak::DiskToArchiveName(file))) {
        Fail("name differs: " + pak::ToUtf8(file));
      }
      const Bytes bytes = Read(root / "in" / pak::PathFromUtf16(file));
      if (Bytes(entry.Data.begin(), entry.Data.end()) != bytes)
        Fail("data differ: " + pak::ToUtf8(file));
    }
    const pak::Status extracted =
        pak::ExtractAll(files, *archive, root / "out", pak::Windows1252());
    if (!extracted.ok()) Fail("the packed archive does not extract: " + extracted.message());
    for (std::size_t i = 0; i < archive->size(); ++i) {
      const pak::PakEntry& entry = (*archive)[i];
      if (Read(root / "out" / pak::PathFromUtf16(entry.Name)) !=
          Bytes(entry.Data.begin(), entry.Data.end())) {
        // Two files whose names differ only in ".ogg" / ".wav" extract to one name; the later
        // one wins, which the comparison below allows.
        bool later = false;
        for (std::size_t j = i + 1; j < archive->size(); ++j)
          later |= (*archive)[j].Name == entry.Name;
        if (!later) Fail("extracted bytes differ: " + pak::ToUtf8(entry.Name));
      }
    }
  }
  std::error_code ec;
  fs::remove_all(root, ec);
  return 0;
}

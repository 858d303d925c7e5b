// libFuzzer target: any bytes given to ParsePak must give an archive or a
// refusal, never a read outside the buffer. An accepted archive is then
// walked entry by entry, and its names checked as extraction would.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "codec/names.h"
#include "codec/reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto archive = pak::ParsePak(std::vector<std::uint8_t>(data, data + size));
  if (!archive.ok()) return 0;
  std::size_t sum = 0;
  for (std::size_t i = 0; i < archive->size(); ++i) {
    const pak::PakEntry& entry = (*archive)[i];
    for (std::uint8_t b : entry.data) sum += b;
    (void)pak::CheckEntryName(entry.name, i, pak::NameRules::kWindows);
  }
  volatile std::size_t sink = sum;
  (void)sink;
  return 0;
}

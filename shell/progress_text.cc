#include "shell/progress_text.h"

#include <algorithm>

#include "codec/text.h"

namespace shell {
namespace {

std::u16string Number(std::uint64_t n) { return pak::FromUtf8(std::to_string(n)); }

}  // namespace

std::u16string BytesOfTotalText(std::uint64_t done, std::uint64_t total) {
  struct Unit {
    std::uint64_t size;
    std::u16string_view name;
  };
  constexpr Unit kUnits[] = {{1ull << 30, u"GB"}, {1ull << 20, u"MB"}, {1ull << 10, u"KB"}};
  done = std::min(done, total);
  for (const Unit& unit : kUnits) {
    if (total < unit.size) continue;
    if (total >= 10 * unit.size) {
      return Number(done / unit.size) + u" of " + Number((total + unit.size / 2) / unit.size) +
             u" " + std::u16string(unit.name);
    }
    // Tenths of the unit.
    const std::uint64_t done_tenths = done * 10 / unit.size;
    const std::uint64_t total_tenths = (total * 10 + unit.size / 2) / unit.size;
    const auto tenths = [](std::uint64_t n) { return Number(n / 10) + u"." + Number(n % 10); };
    return tenths(done_tenths) + u" of " + tenths(total_tenths) + u" " + std::u16string(unit.name);
  }
  return Number(done) + u" of " + Number(total) + (total == 1 ? u" byte" : u" bytes");
}

std::u16string ProgressText(std::u16string_view verb, const pak::ProgressCount& count) {
  std::u16string text =
      std::u16string(verb) + u" " + Number(count.entries) + u" of " + Number(count.entries_total);
  if (count.bytes_total > 0) text += u", " + BytesOfTotalText(count.bytes, count.bytes_total);
  return text;
}

std::optional<double> ProgressFraction(const pak::ProgressCount& count) {
  const auto part = [](std::uint64_t done, std::uint64_t total) {
    return std::min(1.0, static_cast<double>(done) / static_cast<double>(total));
  };
  if (count.bytes_total > 0) return part(count.bytes, count.bytes_total);
  if (count.entries_total > 0) return part(count.entries, count.entries_total);
  return std::nullopt;
}

}  // namespace shell

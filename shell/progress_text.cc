#include "shell/progress_text.h"

#include <algorithm>

#include "codec/text.h"
#include "shell/entry_list.h"
#include "shell/translate.h"

namespace shell {
namespace {

std::u16string Number(std::uint64_t n) { return pak::FromUtf8(std::to_string(n)); }

}  // namespace

std::u16string BytesOfTotalText(std::uint64_t done, std::uint64_t total) {
  struct Unit {
    std::uint64_t size;
    std::u16string_view pattern;  // "%1 GB"
  };
  constexpr Unit kUnits[] = {
      {1ull << 30, kGigabytes}, {1ull << 20, kMegabytes}, {1ull << 10, kKilobytes}};
  done = std::min(done, total);
  const auto of = [](std::u16string part, std::u16string_view pattern, std::u16string whole) {
    return Arg(Tr(kOfTotalText), {std::move(part), Arg(Tr(pattern), {std::move(whole)})});
  };
  for (const Unit& unit : kUnits) {
    if (total < unit.size) continue;
    if (total >= 10 * unit.size) {
      return of(Number(done / unit.size), unit.pattern,
                Number((total + unit.size / 2) / unit.size));
    }
    // Tenths of the unit.
    const std::uint64_t done_tenths = done * 10 / unit.size;
    const std::uint64_t total_tenths = (total * 10 + unit.size / 2) / unit.size;
    const auto tenths = [](std::uint64_t n) {
      return Number(n / 10) + std::u16string(Tr(kDecimalMark)) + Number(n % 10);
    };
    return of(tenths(done_tenths), unit.pattern, tenths(total_tenths));
  }
  return of(Number(done), total == 1 ? kOneByte : kBytes, Number(total));
}

std::u16string ProgressText(std::u16string_view verb, const pak::ProgressCount& count) {
  std::u16string text = Arg(Tr(kProgressText), {std::u16string(Tr(verb)), Number(count.entries),
                                                Number(count.entries_total)});
  if (count.bytes_total > 0) {
    text = Arg(Tr(kProgressBytesText),
               {std::move(text), BytesOfTotalText(count.bytes, count.bytes_total)});
  }
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

#include "shell/entry_list.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <utility>

#include "codec/text.h"
#include "shell/translate.h"

namespace shell {
namespace {

std::u16string Number(std::uint64_t value) { return pak::FromUtf8(std::to_string(value)); }

}  // namespace

std::u16string SizeLabel(std::uint64_t bytes) {
  if (bytes < 1024) return Arg(Tr(bytes == 1 ? kOneByte : kBytes), {Number(bytes)});
  constexpr std::array<std::u16string_view, 4> kUnits = {kKilobytes, kMegabytes, kGigabytes,
                                                         kTerabytes};
  std::uint64_t unit = 1;
  for (std::size_t i = 0; i < kUnits.size(); ++i) {
    unit *= 1024;
    const std::uint64_t whole = bytes / unit;
    const std::uint64_t rest = bytes % unit;
    // Split so that nothing overflows, however large the size.
    const std::uint64_t tenths = whole * 10 + (rest * 10 + unit / 2) / unit;
    if (tenths < 100) {
      return Arg(Tr(kUnits[i]),
                 {Number(tenths / 10) + std::u16string(Tr(kDecimalMark)) + Number(tenths % 10)});
    }
    const std::uint64_t rounded = whole + (rest >= unit / 2 ? 1 : 0);
    if (rounded < 1024 || i + 1 == kUnits.size()) return Arg(Tr(kUnits[i]), {Number(rounded)});
  }
  return {};  // not reached: the last unit takes any size
}

void EntryList::Assign(std::vector<ListEntry> entries) {
  entries_ = std::move(entries);
  Update();
}

void EntryList::SetOrder(SortOrder order) {
  order_ = order;
  Update();
}

void EntryList::SetFilter(std::u16string text) {
  filter_ = pak::FoldCase(text);
  Update();
}

void EntryList::Update() {
  rows_.clear();
  rows_.reserve(entries_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (filter_.empty() || pak::FoldCase(entries_[i].name).find(filter_) != std::u16string::npos) {
      rows_.push_back(i);
    }
  }
  const auto by_name = [&](std::size_t a, std::size_t b) {
    return pak::LessIgnoreCase(entries_[a].name, entries_[b].name);
  };
  switch (order_) {
    case SortOrder::kStored:
      break;
    case SortOrder::kName:
      std::stable_sort(rows_.begin(), rows_.end(), by_name);
      break;
    case SortOrder::kSize:
      std::stable_sort(rows_.begin(), rows_.end(), [&](std::size_t a, std::size_t b) {
        if (entries_[a].size != entries_[b].size) return entries_[a].size > entries_[b].size;
        return by_name(a, b);
      });
      break;
  }
}

std::vector<std::u16string> EntryList::RowSizes() const {
  std::vector<std::u16string> sizes;
  sizes.reserve(rows_.size());
  for (std::size_t entry : rows_) sizes.push_back(SizeLabel(entries_[entry].size));
  return sizes;
}

std::u16string EntryList::Summary(CountWords words) const {
  if (entries_.empty()) return {};
  const std::uint64_t total = std::accumulate(
      rows_.begin(), rows_.end(), std::uint64_t{0},
      [&](std::uint64_t sum, std::size_t entry) { return sum + entries_[entry].size; });
  // The noun follows the whole count: "1 entry", "0 of 1 entry", "1 of 8 entries".
  const bool one = entries_.size() == 1;
  if (rows_.size() == entries_.size()) {
    return Arg(Tr(one ? words.one : words.many), {Number(rows_.size()), SizeLabel(total)});
  }
  return Arg(Tr(one ? words.some_of_one : words.some_of_many),
             {Number(rows_.size()), Number(entries_.size()), SizeLabel(total)});
}

}  // namespace shell

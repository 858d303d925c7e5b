#include "shell/entry_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace shell {
namespace {

TEST(SizeLabel, ReadsAsAFileManagerShowsSizes) {
  constexpr std::uint64_t kKb = 1024;
  constexpr std::uint64_t kMb = kKb * kKb;
  const struct {
    std::uint64_t bytes;
    std::u16string label;
  } kCases[] = {
      {0, u"0 bytes"},
      {1, u"1 byte"},
      {512, u"512 bytes"},
      {1023, u"1023 bytes"},
      {1024, u"1.0 KB"},
      {1075, u"1.0 KB"},  // 1.0498: rounds down
      {1076, u"1.1 KB"},  // 1.0508: rounds up
      {10 * kKb - 52, u"9.9 KB"},
      {10 * kKb - 51, u"10 KB"},  // 9.95 rounds to ten: whole numbers from there
      {39 * kKb + 400, u"39 KB"},
      {kMb - 513, u"1023 KB"},
      {kMb - 512, u"1.0 MB"},  // 1023.5 KB would read "1024 KB"
      {kMb + kMb / 5, u"1.2 MB"},
      {957349888, u"913 MB"},
      {4 * kMb * kKb, u"4.0 GB"},
      {5000 * kMb * kMb, u"5000 TB"},  // the last unit takes any size
      {UINT64_MAX, u"16777216 TB"},
  };
  for (const auto& c : kCases) EXPECT_EQ(SizeLabel(c.bytes), c.label) << c.bytes;
}

std::vector<std::u16string> RowNames(const EntryList& list) {
  std::vector<std::u16string> names;
  for (std::size_t i = 0; i < list.rows().size(); ++i) names.push_back(list.row(i).name);
  return names;
}

TEST(EntryList, RowsFollowTheOrderAndTheFilter) {
  const std::vector<ListEntry> kEntries = {
      {u"b.wav", 300}, {u"A.ini", 10}, {u"c.WAV", 300}, {u"a.png", 2048}, {u"Sounds.txt", 0}};
  const struct {
    SortOrder order;
    std::u16string filter;
    std::vector<std::u16string> rows;
  } kCases[] = {
      {SortOrder::kStored, u"", {u"b.wav", u"A.ini", u"c.WAV", u"a.png", u"Sounds.txt"}},
      {SortOrder::kName, u"", {u"A.ini", u"a.png", u"b.wav", u"c.WAV", u"Sounds.txt"}},
      // Largest first; equal sizes by name.
      {SortOrder::kSize, u"", {u"a.png", u"b.wav", u"c.WAV", u"A.ini", u"Sounds.txt"}},
      // The filter ignores case and matches anywhere in the name.
      {SortOrder::kName, u".wav", {u"b.wav", u"c.WAV"}},
      {SortOrder::kStored, u"A", {u"b.wav", u"A.ini", u"c.WAV", u"a.png"}},
      {SortOrder::kSize, u"OUND", {u"Sounds.txt"}},
      {SortOrder::kName, u"zzz", {}},
  };
  for (const auto& c : kCases) {
    EntryList list(c.order);
    list.SetFilter(c.filter);
    list.Assign(kEntries);
    EXPECT_EQ(RowNames(list), c.rows) << static_cast<int>(c.order) << " " << c.filter.size();
  }
}

TEST(EntryList, RowsLeadBackToTheirEntries) {
  EntryList list(SortOrder::kSize);
  list.Assign({{u"small", 1}, {u"big", 5000}, {u"mid", 700}});
  EXPECT_EQ(list.rows(), (std::vector<std::size_t>{1, 2, 0}));
  EXPECT_EQ(list.RowSizes(), (std::vector<std::u16string>{u"4.9 KB", u"700 bytes", u"1 byte"}));
  list.SetFilter(u"i");
  EXPECT_EQ(list.rows(), (std::vector<std::size_t>{1, 2}));
  // New entries keep the order and the filter chosen.
  list.Assign({{u"ink", 3}, {u"oil", 9}});
  EXPECT_EQ(list.rows(), (std::vector<std::size_t>{1, 0}));
}

TEST(EntryList, SummaryCountsWhatIsShown) {
  const struct {
    std::vector<ListEntry> entries;
    std::u16string filter;
    CountWords words;
    std::u16string summary;
  } kCases[] = {
      {{}, u"", kEntryWords, u""},
      {{{u"a", 512}}, u"", kEntryWords, u"1 entry, 512 bytes"},
      {{{u"a", 30 * 1024}, {u"b", 9 * 1024}}, u"", kFileWords, u"2 files, 39 KB"},
      {{{u"a", 30 * 1024}, {u"b", 9 * 1024}}, u"B", kEntryWords, u"1 of 2 entries, 9.0 KB"},
      {{{u"a", 1}}, u"x", kFileWords, u"0 of 1 file, 0 bytes"},
  };
  for (const auto& c : kCases) {
    EntryList list;
    list.Assign(c.entries);
    list.SetFilter(c.filter);
    EXPECT_EQ(list.Summary(c.words), c.summary);
  }
}

}  // namespace
}  // namespace shell

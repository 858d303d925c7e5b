#include "shell/progress_text.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr std::uint64_t kKb = 1024;
constexpr std::uint64_t kMb = kKb * 1024;
constexpr std::uint64_t kGb = kMb * 1024;

TEST(ProgressText, EntriesThenBytesInTheTotalsUnit) {
  const struct {
    pak::ProgressCount count;
    std::u16string text;
  } kCases[] = {
      {{3, 301, 1288490189, 2 * kGb}, u"Extracting 3 of 301, 1.2 of 2.0 GB"},
      {{3, 301, 1288490188, 2 * kGb}, u"Extracting 3 of 301, 1.1 of 2.0 GB"},
      // The part done rounds down: the total shows only once all of it is done.
      {{300, 301, 2 * kGb - 1, 2 * kGb}, u"Extracting 300 of 301, 1.9 of 2.0 GB"},
      {{301, 301, 2 * kGb, 2 * kGb}, u"Extracting 301 of 301, 2.0 of 2.0 GB"},
      // Ten of a unit and more: whole figures, the total rounded.
      {{1, 2, 120 * kMb + kMb / 2, 300 * kMb - kMb / 3}, u"Extracting 1 of 2, 120 of 300 MB"},
      {{1, 8, 12 * kKb, 39 * kKb}, u"Extracting 1 of 8, 12 of 39 KB"},
      {{0, 8, 0, 5 * kMb + kMb / 2}, u"Extracting 0 of 8, 0.0 of 5.5 MB"},
      {{1, 8, 1023, 3 * kKb}, u"Extracting 1 of 8, 0.9 of 3.0 KB"},
      // The unit is the total's even when the part done is far smaller.
      {{1, 2, 5, 12 * kGb}, u"Extracting 1 of 2, 0 of 12 GB"},
      {{1, 3, 80, 400}, u"Extracting 1 of 3, 80 of 400 bytes"},
      {{0, 1, 0, 1}, u"Extracting 0 of 1, 0 of 1 byte"},
      // Nothing to count in bytes: the entries alone, as before bytes were counted.
      {{2, 3, 0, 0}, u"Extracting 2 of 3"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(shell::ProgressText(u"Extracting", c.count), c.text) << c.count.bytes;
  }
}

TEST(ProgressText, TheBarFollowsBytesThenEntries) {
  const struct {
    pak::ProgressCount count;
    std::optional<double> fraction;
  } kCases[] = {
      {{1, 4, 30, 120}, 0.25},  // bytes rather than entries
      {{1, 4, 0, 0}, 0.25},     // only empty entries
      {{0, 0, 0, 0}, std::nullopt},
      {{4, 4, 130, 120}, 1.0},  // never past the whole
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(shell::ProgressFraction(c.count), c.fraction) << c.count.bytes;
  }
}

}  // namespace

// What lstFiles shows of the entries (Unbaler) or files (Rebaler) it lists: each name with its
// size, in the order the user picked, narrowed to the names that hold the filter's text, and the
// count and total that the status strip shows while no work runs.
//
// The list keeps the entries in their own order (the archive's, or the packing order) and the
// rows as places in it, so a row always leads back to its entry however it is sorted or
// filtered. Toolkit-free: the front ends only show the rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

// A size as a file manager shows it beside a name: "1 byte", "512 bytes", then binary units with
// one decimal below ten ("1.2 MB") and whole numbers from ten on ("39 KB"), rounded to nearest;
// a size that rounds up to 1024 of a unit is shown in the next ("1.0 MB"). In the user's
// language: the unit patterns below, and the decimal mark.
std::u16string SizeLabel(std::uint64_t bytes);
// A size in bytes and in binary units; %1 is the number.
inline constexpr char16_t kOneByte[] = u"%1 byte";
inline constexpr char16_t kBytes[] = u"%1 bytes";
inline constexpr char16_t kKilobytes[] = u"%1 KB";
inline constexpr char16_t kMegabytes[] = u"%1 MB";
inline constexpr char16_t kGigabytes[] = u"%1 GB";
inline constexpr char16_t kTerabytes[] = u"%1 TB";
// What parts the whole number from the tenths: "1.2 MB".
inline constexpr char16_t kDecimalMark[] = u".";

// The orders lstFiles can show. By name ignores case; by size puts the largest first, names
// breaking ties; kStored is the entries' own order.
enum class SortOrder { kName, kSize, kStored };

struct ListEntry {
  std::u16string name;
  std::uint64_t size = 0;
  friend bool operator==(const ListEntry&, const ListEntry&) = default;
};

// The patterns of a summary that counts entries or files: for all of them shown ("%1 entries, %2":
// the count and the size) and for some ("%1 of %2 entries, %3": shown, in all, the size shown),
// each for one entry in all and for any other number.
struct CountWords {
  std::u16string_view one;
  std::u16string_view many;
  std::u16string_view some_of_one;
  std::u16string_view some_of_many;
};
inline constexpr char16_t kOneEntrySummary[] = u"%1 entry, %2";
inline constexpr char16_t kEntriesSummary[] = u"%1 entries, %2";
inline constexpr char16_t kSomeOfOneEntrySummary[] = u"%1 of %2 entry, %3";
inline constexpr char16_t kSomeEntriesSummary[] = u"%1 of %2 entries, %3";
inline constexpr char16_t kOneFileSummary[] = u"%1 file, %2";
inline constexpr char16_t kFilesSummary[] = u"%1 files, %2";
inline constexpr char16_t kSomeOfOneFileSummary[] = u"%1 of %2 file, %3";
inline constexpr char16_t kSomeFilesSummary[] = u"%1 of %2 files, %3";
inline constexpr CountWords kEntryWords{kOneEntrySummary, kEntriesSummary, kSomeOfOneEntrySummary,
                                        kSomeEntriesSummary};
inline constexpr CountWords kFileWords{kOneFileSummary, kFilesSummary, kSomeOfOneFileSummary,
                                       kSomeFilesSummary};

class EntryList {
 public:
  explicit EntryList(SortOrder order = SortOrder::kName) : order_(order) {}

  // Replaces the entries, in their own order; the order and filter stay.
  void Assign(std::vector<ListEntry> entries);
  void Clear() { Assign({}); }
  void SetOrder(SortOrder order);
  // Shows only the entries whose names contain `text`, ignoring case; empty shows all.
  void SetFilter(std::u16string text);

  SortOrder order() const { return order_; }
  const std::u16string& filter() const { return filter_; }
  const std::vector<ListEntry>& entries() const { return entries_; }
  // The entry each row shows (its place in entries()), top to bottom.
  const std::vector<std::size_t>& rows() const { return rows_; }
  const ListEntry& row(std::size_t index) const { return entries_[rows_[index]]; }
  // The SizeLabel of each row.
  std::vector<std::u16string> RowSizes() const;

  // What the rows hold: "8 entries, 39 KB"; while a filter hides some, "3 of 8 entries, 12 KB";
  // in the user's language. Empty while there are no entries.
  std::u16string Summary(CountWords words) const;

 private:
  void Update();

  SortOrder order_;
  std::u16string filter_;  // folded
  std::vector<ListEntry> entries_;
  std::vector<std::size_t> rows_;
};

}  // namespace shell

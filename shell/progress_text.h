// What the status line says of running work, and how much of its bar is filled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "codec/writer.h"

namespace shell {

// The entries done: the verb, the number done and the number in all: "Extracting 3 of 301".
inline constexpr char16_t kProgressText[] = u"%1 %2 of %3";
// A part of a whole, "%1 of %2": "1.2 of 2.0 GB" (the whole with its unit).
inline constexpr char16_t kOfTotalText[] = u"%1 of %2";
// The entries done (kProgressText), then the bytes: "Extracting 3 of 301, 1.2 of 2.0 GB".
inline constexpr char16_t kProgressBytesText[] = u"%1, %2";

// Bytes done of a total, both in the total's unit: "1.2 of 2.0 GB", "120 of 300 MB",
// "12 of 39 KB", "80 of 400 bytes". Units are binary (1 KB = 1,024 bytes), the largest the total
// reaches; below ten of the unit the figures have one decimal. The part done is rounded down, so
// that it shows the total only once everything is done.
std::u16string BytesOfTotalText(std::uint64_t done, std::uint64_t total);

// The status line while work runs: "Extracting 3 of 301, 1.2 of 2.0 GB"; without bytes to count
// (only empty entries, or work that counts none), "Extracting 3 of 301".
std::u16string ProgressText(std::u16string_view verb, const pak::ProgressCount& count);

// The part of the work done, from 0 to 1: by bytes where there are any, by entries otherwise;
// none when there is nothing to count.
std::optional<double> ProgressFraction(const pak::ProgressCount& count);

}  // namespace shell

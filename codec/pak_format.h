// The byte layout of a PAK archive, shared by the reader and the writer.
//
//   header     "1kap" (31 6B 61 70), entry count (u16)
//   directory  per entry: name length n+1 (u16), name (UTF-16LE, n units),
//              00 00, "sffo", data offset (u32), data size (u32)
//   data       each entry's bytes at its offset
//
// Integers are little-endian; offsets count from the start of the file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace pak {

inline constexpr std::array<std::uint8_t, 4> kSignature = {0x31, 0x6B, 0x61, 0x70};
inline constexpr std::array<std::uint8_t, 4> kRecordTag = {0x73, 0x66, 0x66, 0x6F};
inline constexpr std::size_t kHeaderSize = 6;
// Bytes a record adds to its name: length field, terminator, tag, offset, size.
inline constexpr std::size_t kRecordOverhead = 16;
// The header plus the first record's name-length field.
inline constexpr std::size_t kMinArchiveSize = 8;
inline constexpr std::size_t kMaxNameUnits = 254;
// The name-length field is 16 bits: a record's name and its terminator fill at most this many
// code units, whatever the writer's own limit, so the reader never looks further for a name's end.
inline constexpr std::size_t kMaxNameFieldUnits = 0xFFFF;
// The most bytes one record can take: length field, the longest name and its terminator, tag,
// offset and size.
inline constexpr std::size_t kMaxRecordSize = 2 * kMaxNameFieldUnits + kRecordOverhead - 2;
inline constexpr std::size_t kMaxEntries = 65535;
// Offsets and sizes are signed 32-bit values in the programs.
inline constexpr std::uint64_t kMaxArchiveSize = 0x7FFFFFFF;

inline std::uint16_t LoadU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t LoadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void StoreU16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void StoreU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace pak

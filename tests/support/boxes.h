// Checks on the boxes of a window description.
#pragma once

#include <cstdint>

#include "shell/main_layout.h"

namespace testing_support {

inline bool Overlap(const shell::Box& a, const shell::Box& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

// Whether the box has a size and lies within width x height from the origin.
inline bool Inside(const shell::Box& box, std::int32_t width, std::int32_t height) {
  return box.left >= 0 && box.top >= 0 && box.width > 0 && box.height > 0 &&
         box.left + box.width <= width && box.top + box.height <= height;
}

}  // namespace testing_support

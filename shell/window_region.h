// The outline of the skinned main window, cut out of its skin picture by a colour key.
//
// The key colour is the colour of the picture's top-left pixel. Every pixel of exactly that colour
// lies outside the window and every other pixel inside, so a near-white pixel next to a white key
// still belongs to the window. The outline is described toolkit-neutrally as runs: for each row,
// the maximal stretches of non-key pixels, left edge inside and right edge outside. A run never
// continues into the next row. Each front end turns the runs (or the merged rectangles) into its
// own region type. A picture with no pixel different from the key yields no runs: the window
// then keeps its whole rectangle.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace shell {

// Pixels [x0, x1) of row y lie inside the window.
struct RegionRun {
  std::int32_t y = 0;
  std::int32_t x0 = 0;
  std::int32_t x1 = 0;
  friend bool operator==(const RegionRun&, const RegionRun&) = default;
};

// The rectangle [x0, x1) x [y0, y1).
struct RegionRect {
  std::int32_t x0 = 0;
  std::int32_t y0 = 0;
  std::int32_t x1 = 0;
  std::int32_t y1 = 0;
  friend bool operator==(const RegionRect&, const RegionRect&) = default;
};

// The runs of a picture read through pixel_at(x, y), which returns a colour value that compares
// with ==. Rows are visited top to bottom and each pixel is read exactly once.
template <typename PixelAt>
std::vector<RegionRun> WindowRegionRuns(std::int32_t width, std::int32_t height,
                                        PixelAt&& pixel_at) {
  std::vector<RegionRun> runs;
  if (width <= 0 || height <= 0) return runs;
  const auto key = pixel_at(0, 0);
  for (std::int32_t y = 0; y < height; ++y) {
    std::int32_t start = -1;
    for (std::int32_t x = 0; x < width; ++x) {
      const bool inside = !(pixel_at(x, y) == key);
      if (inside && start < 0) {
        start = x;
      } else if (!inside && start >= 0) {
        runs.push_back({y, start, x});
        start = -1;
      }
    }
    if (start >= 0) runs.push_back({y, start, width});
  }
  return runs;
}

// The same for a 32-bit colour array of `height` rows, row y starting at pixels[y * stride].
std::vector<RegionRun> WindowRegionRuns(const std::uint32_t* pixels, std::int32_t width,
                                        std::int32_t height, std::ptrdiff_t stride);

// Joins the runs of consecutive rows that hold exactly the same runs into taller rectangles.
// The result is sorted by top edge, then by left edge, with no two rectangles overlapping or
// touching side by side: the banded form that region types build from in one step.
std::vector<RegionRect> MergeRegionRuns(std::span<const RegionRun> runs);

// The rectangles of a picture of `from_width` x `from_height` pixels for the same picture shown
// at `to_width` x `to_height`: every edge scaled and rounded to the nearest pixel. Rectangles
// that shrink to nothing are left out; the rest keep their order.
std::vector<RegionRect> ScaleRegionRects(std::span<const RegionRect> rects, std::int32_t from_width,
                                         std::int32_t from_height, std::int32_t to_width,
                                         std::int32_t to_height);

}  // namespace shell

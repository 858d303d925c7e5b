#include "shell/window_region.h"

#include <algorithm>

namespace shell {

std::vector<RegionRun> WindowRegionRuns(const std::uint32_t* pixels, std::int32_t width,
                                        std::int32_t height, std::ptrdiff_t stride) {
  if (pixels == nullptr) return {};
  return WindowRegionRuns(width, height, [pixels, stride](std::int32_t x, std::int32_t y) {
    return pixels[y * stride + x];
  });
}

std::vector<RegionRect> MergeRegionRuns(std::span<const RegionRun> runs) {
  std::vector<RegionRect> rects;
  rects.reserve(runs.size());
  // Rectangles of the band that is still open, and the runs of the row that last extended it.
  std::size_t band_begin = 0;
  std::span<const RegionRun> band_row;
  std::size_t i = 0;
  while (i < runs.size()) {
    std::size_t j = i;
    while (j < runs.size() && runs[j].y == runs[i].y) ++j;
    const std::span<const RegionRun> row = runs.subspan(i, j - i);
    const bool extends = !band_row.empty() && row.front().y == band_row.front().y + 1 &&
                         std::equal(row.begin(), row.end(), band_row.begin(), band_row.end(),
                                    [](const RegionRun& a, const RegionRun& b) {
                                      return a.x0 == b.x0 && a.x1 == b.x1;
                                    });
    if (extends) {
      for (std::size_t k = band_begin; k < rects.size(); ++k) rects[k].y1 = row.front().y + 1;
    } else {
      band_begin = rects.size();
      for (const RegionRun& run : row) rects.push_back({run.x0, run.y, run.x1, run.y + 1});
    }
    band_row = row;
    i = j;
  }
  return rects;
}

std::vector<RegionRect> ScaleRegionRects(std::span<const RegionRect> rects, std::int32_t from_width,
                                         std::int32_t from_height, std::int32_t to_width,
                                         std::int32_t to_height) {
  if (from_width <= 0 || from_height <= 0) return {};
  const auto scale = [](std::int32_t edge, std::int32_t from, std::int32_t to) {
    return static_cast<std::int32_t>((static_cast<std::int64_t>(edge) * to * 2 + from) /
                                     (static_cast<std::int64_t>(from) * 2));
  };
  std::vector<RegionRect> scaled;
  scaled.reserve(rects.size());
  for (const RegionRect& r : rects) {
    const RegionRect s{scale(r.x0, from_width, to_width), scale(r.y0, from_height, to_height),
                       scale(r.x1, from_width, to_width), scale(r.y1, from_height, to_height)};
    if (s.x0 < s.x1 && s.y0 < s.y1) scaled.push_back(s);
  }
  return scaled;
}

}  // namespace shell

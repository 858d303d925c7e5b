#include "shell/window_region.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace shell {
namespace {

constexpr std::uint32_t K = 0xFFFFFFFF;  // white key
constexpr std::uint32_t D = 0xFF0C0D0D;  // the dark screen colour
constexpr std::uint32_t N = 0xFFFBFBFB;  // near-white: inside the window

// Runs from both readers; they must agree.
std::vector<RegionRun> Runs(const std::vector<std::uint32_t>& pixels, int width) {
  const int height = static_cast<int>(pixels.size()) / width;
  std::vector<RegionRun> from_array = WindowRegionRuns(pixels.data(), width, height, width);
  std::vector<RegionRun> from_callable =
      WindowRegionRuns(width, height, [&](int x, int y) { return pixels[y * width + x]; });
  EXPECT_EQ(from_array, from_callable);
  return from_array;
}

TEST(WindowRegion, RunsEndAtTheFirstKeyPixelOrTheRowEdge) {
  EXPECT_EQ(Runs({K, K, D, D, K}, 5), (std::vector<RegionRun>{{0, 2, 4}}));
  // The first row runs to the right edge; the second starts without an open run.
  EXPECT_EQ(Runs({K, K, D, D, D,  //
                  D, K, K, K, K},
                 5),
            (std::vector<RegionRun>{{0, 2, 5}, {1, 0, 1}}));
  // Several runs in a row; near-white counts as inside since only exact equality is key.
  EXPECT_EQ(Runs({K, N, K, D, D, K, N}, 7),
            (std::vector<RegionRun>{{0, 1, 2}, {0, 3, 5}, {0, 6, 7}}));
}

TEST(WindowRegion, KeyComesFromTheTopLeftPixel) {
  // A dark top-left pixel makes dark the key and the white pixels the window.
  EXPECT_EQ(Runs({D, K, K, D, D, K}, 3), (std::vector<RegionRun>{{0, 1, 3}, {1, 2, 3}}));
}

TEST(WindowRegion, AllKeyOrEmptyPictureHasNoRegion) {
  EXPECT_TRUE(Runs({K, K, K, K, K, K}, 3).empty());
  EXPECT_TRUE(WindowRegionRuns(nullptr, 0, 0, 0).empty());
  EXPECT_TRUE(WindowRegionRuns(0, 5, [](int, int) -> std::uint32_t { return D; }).empty());
}

TEST(WindowRegion, StrideSkipsRowPadding) {
  // Two rows of three pixels, each followed by one padding pixel that is not part of the row.
  const std::vector<std::uint32_t> pixels = {K, D, K, D, D, K, K, D};
  EXPECT_EQ(WindowRegionRuns(pixels.data(), 3, 2, 4),
            (std::vector<RegionRun>{{0, 1, 2}, {1, 0, 1}}));
}

TEST(WindowRegion, MergeJoinsIdenticalConsecutiveRowsOnly) {
  const std::vector<RegionRun> runs = {
      {0, 1, 4}, {1, 1, 4},  // same run: one rectangle of two rows
      {2, 1, 2}, {2, 3, 4},  // a new band of two rectangles
      {3, 1, 2}, {3, 3, 4},  // extends it
      {5, 0, 4},             // row 4 is empty: no joining across it
      {6, 0, 4},
  };
  EXPECT_EQ(MergeRegionRuns(runs),
            (std::vector<RegionRect>{{1, 0, 4, 2}, {1, 2, 2, 4}, {3, 2, 4, 4}, {0, 5, 4, 7}}));
  EXPECT_TRUE(MergeRegionRuns({}).empty());
}

}  // namespace
TEST(WindowRegion, ScaledRectsFollowThePictureToItsShownSize) {
  const std::vector<RegionRect> rects{{1, 0, 441, 3}, {0, 3, 442, 237}, {5, 7, 6, 8}};
  struct Case {
    std::int32_t to_width, to_height;
    std::vector<RegionRect> scaled;
  };
  const Case cases[] = {
      {884, 474, {{2, 0, 882, 6}, {0, 6, 884, 474}, {10, 14, 12, 16}}},
      // 1.5: edges round to the nearest pixel, halves up.
      {663, 356, {{2, 0, 662, 5}, {0, 5, 663, 356}, {8, 11, 9, 12}}},
      // Shrunk to a third, the one-pixel rectangle vanishes.
      {147, 79, {{0, 0, 147, 1}, {0, 1, 147, 79}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScaleRegionRects(rects, 442, 237, c.to_width, c.to_height), c.scaled)
        << c.to_width << "x" << c.to_height;
  }
  EXPECT_TRUE(ScaleRegionRects(rects, 0, 237, 884, 474).empty());
}

}  // namespace shell

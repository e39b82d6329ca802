#include "display/SpectrumGeometry.h"

#include <array>

#include <gtest/gtest.h>

namespace quillary {
namespace {

TEST(SpectrumGeometry, GridLinesReachTheRightEdgeAndTheTraceLeavesOutTheLastBin) {
  const auto lines = gridLines(DisplayRange{1200, 1800, 12}, 517, 1250.0);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_DOUBLE_EQ(lines.back().x, 517);  // W/div does not step 517 exactly
  EXPECT_TRUE(lines[1].preset);

  std::array<int32_t, 1024> bins{};
  for (int k = 0; k < 1024; ++k) bins[k] = k % 100;
  const SpectrumScale scale = spectrumScale(*rangeForName("500-3000"), 640, 200);
  const auto points = tracePoints(scale, 200, bins.data());
  ASSERT_EQ(points.size(), 640u);  // 639 segments
  EXPECT_DOUBLE_EQ(points.front().x, 1);
  EXPECT_DOUBLE_EQ(points.front().y, 200 - (128 % 100) * 2.0);
  EXPECT_DOUBLE_EQ(points.back().x, 640);
  EXPECT_DOUBLE_EQ(points.back().y, 200 - (767 % 100) * 2.0);
}

TEST(SpectrumGeometry, ClicksTuneInsideEveryRangeOnly) {
  for (std::string_view name : kRangeNames) {
    const DisplayRange range = *rangeForName(name);
    for (double width : {4000.0, 517.0, 333.0}) {
      EXPECT_EQ(frequencyAtX(range, width, 0), range.low) << name << " " << width;
      EXPECT_EQ(frequencyAtX(range, width, width), range.high) << name << " " << width;
    }
    EXPECT_FALSE(frequencyAtX(range, 400, -1));
  }
  EXPECT_FALSE(frequencyAtX(DisplayRange{1000, 2000, 10}, 0, 0));
}

}  // namespace
}  // namespace quillary

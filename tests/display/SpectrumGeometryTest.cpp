#include "display/SpectrumGeometry.h"

#include <array>

#include <gtest/gtest.h>

namespace quillary {
namespace {

TEST(SpectrumGeometry, RangeEntriesAndTheirBins) {
  const auto narrow = rangeForName("1200-1800");
  ASSERT_TRUE(narrow);
  EXPECT_EQ(narrow->gridCount, 12);
  const SpectrumScale narrowScale = spectrumScale(*narrow, 600, 100);
  EXPECT_EQ(narrowScale.firstBin, 307);
  EXPECT_EQ(narrowScale.lastBin, 460);
  EXPECT_DOUBLE_EQ(narrowScale.gridStepHz, 50);

  const auto wide = rangeForName("500-3000");
  ASSERT_TRUE(wide);
  const SpectrumScale wideScale = spectrumScale(*wide, 640, 100);
  EXPECT_EQ(wideScale.lastBin - wideScale.firstBin, 640);
  EXPECT_DOUBLE_EQ(wideScale.gridStepHz, 100);

  for (std::string_view name : kRangeNames) EXPECT_TRUE(rangeForName(name)) << name;
  EXPECT_FALSE(rangeForName("1000-3000"));
  EXPECT_FALSE(rangeForName(""));
}

TEST(SpectrumGeometry, MarkerOfTheWorkedExample) {
  const SpectrumScale scale = spectrumScale(DisplayRange{1000, 2000, 10}, 4000, 1000);
  EXPECT_EQ(scale.firstBin, 256);
  EXPECT_EQ(scale.lastBin, 512);
  EXPECT_DOUBLE_EQ(scale.xPerBin, 15.625);
  EXPECT_DOUBLE_EQ(scale.yPerUnit, 10);
  EXPECT_EQ(markerX(scale, 1500), 2007);
  EXPECT_EQ(markerX(scale, 1000), 7);
}

TEST(SpectrumGeometry, GridLinesAndThePresetLine) {
  const DisplayRange range{1000, 2000, 10};
  const auto lines = gridLines(range, 4000, 1600.0);
  ASSERT_EQ(lines.size(), 11u);
  for (std::size_t k = 0; k < lines.size(); ++k) {
    EXPECT_DOUBLE_EQ(lines[k].hz, 1000 + 100.0 * k);
    EXPECT_DOUBLE_EQ(lines[k].x, 400.0 * k);
    EXPECT_EQ(lines[k].preset, k == 6) << k;
  }
  for (const GridLine& line : gridLines(range, 4000, 1550.0)) EXPECT_FALSE(line.preset);
  for (const GridLine& line : gridLines(range, 4000, std::nullopt)) EXPECT_FALSE(line.preset);

  // A width that W/div cannot step exactly still gets its last line.
  const auto narrow = gridLines(DisplayRange{1200, 1800, 12}, 517, 1250.0);
  ASSERT_EQ(narrow.size(), 13u);
  EXPECT_DOUBLE_EQ(narrow.back().x, 517);
  EXPECT_TRUE(narrow[1].preset);
}

TEST(SpectrumGeometry, TraceLeavesOutTheLastFetchedBin) {
  std::array<int32_t, 1024> bins{};
  for (int k = 0; k < 1024; ++k) bins[k] = k % 100;
  const SpectrumScale scale = spectrumScale(DisplayRange{500, 3000, 25}, 640, 200);
  const auto points = tracePoints(scale, 200, bins.data());
  ASSERT_EQ(points.size(), 640u);  // 639 segments
  EXPECT_DOUBLE_EQ(points.front().x, 1);
  EXPECT_DOUBLE_EQ(points.front().y, 200 - (128 % 100) * 2.0);
  EXPECT_DOUBLE_EQ(points.back().x, 640);
  EXPECT_DOUBLE_EQ(points.back().y, 200 - (767 % 100) * 2.0);
}

TEST(SpectrumGeometry, ClicksTuneInsideTheRangeOnly) {
  for (std::string_view name : kRangeNames) {
    const DisplayRange range = *rangeForName(name);
    for (double width : {4000.0, 517.0, 333.0}) {
      EXPECT_EQ(frequencyAtX(range, width, 0), range.low) << name << " " << width;
      EXPECT_EQ(frequencyAtX(range, width, width), range.high) << name << " " << width;
    }
    EXPECT_FALSE(frequencyAtX(range, 400, -1));
    EXPECT_FALSE(frequencyAtX(range, 400, 401));
  }
  // Halves go to the even neighbour: two units per hertz.
  const DisplayRange range{1000, 2000, 10};
  EXPECT_EQ(frequencyAtX(range, 2000, 1), 1000);
  EXPECT_EQ(frequencyAtX(range, 2000, 3), 1002);
  EXPECT_EQ(frequencyAtX(range, 2000, 1201), 1600);
  EXPECT_FALSE(frequencyAtX(range, 0, 0));
}

}  // namespace
}  // namespace quillary

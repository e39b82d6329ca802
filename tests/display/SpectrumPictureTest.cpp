#include "display/SpectrumPicture.h"

#include <array>

#include <QImage>
#include <gtest/gtest.h>

#include "display/DisplayColours.h"

namespace quillary {
namespace {

TEST(SpectrumPicture, GridTraceAndMarkerInTheirColoursAndLayers) {
  // 400 x 100: 1000-2000 puts a grid line every 40 columns and 1.5625
  // columns per bin.
  QImage image{400, 100, QImage::Format_RGB32};
  std::array<int32_t, 1024> bins{};
  bins.fill(10);         // the floor on row 90
  bins[256 + 100] = 80;  // bin a + 100 stands at x = 101 * 1.5625 = 157.8, row 20
  renderSpectrum(image, SpectrumView{DisplayRange{1000, 2000, 10}, bins.data(), 1600.0, 1450.0});
  auto at = [&](int x, int y) { return image.pixel(x, y); };
  EXPECT_EQ(at(20, 10), colours::kSpectrumBackground.rgb());
  EXPECT_EQ(at(0, 10), colours::kGridLine.rgb());
  EXPECT_EQ(at(40, 10), colours::kGridLine.rgb());         // 1100 Hz
  EXPECT_EQ(at(240, 10), colours::kPresetGridLine.rgb());  // 1600 Hz
  EXPECT_EQ(at(157, 20), colours::kTrace.rgb());
  EXPECT_EQ(at(130, 90), colours::kTrace.rgb());
  EXPECT_EQ(at(240, 90), colours::kTrace.rgb());  // the trace lies over the grid
  EXPECT_EQ(at(130, 20), colours::kSpectrumBackground.rgb());
  // 1450 Hz: (371.2 + 0.5 - 256) * 1.5625 = 180.78.
  EXPECT_EQ(at(180, 10), colours::kReceiveMarker.rgb());
  EXPECT_EQ(at(180, 90), colours::kReceiveMarker.rgb());  // the marker lies over the trace
}

}  // namespace
}  // namespace quillary

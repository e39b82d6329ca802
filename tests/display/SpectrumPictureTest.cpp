#include "display/SpectrumPicture.h"

#include <array>

#include <QImage>
#include <gtest/gtest.h>

#include "display/DisplayColours.h"

namespace quillary {
namespace {

QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y); }

bool columnHolds(const QImage& image, const QColor& colour) {
  for (int x = 0; x < image.width(); ++x) {
    if (image.pixel(x, 5) == colour.rgb()) return true;
  }
  return false;
}

class SpectrumPictureTest : public ::testing::Test {
 protected:
  // 400 x 100: 1000-2000 puts a grid line every 40 columns and 1.5625
  // columns per bin.
  QImage image{400, 100, QImage::Format_RGB32};
  std::array<int32_t, 1024> bins{};
  SpectrumView view{DisplayRange{1000, 2000, 10}, bins.data(), 1600.0, 1450.0};
};

TEST_F(SpectrumPictureTest, GridTraceAndMarkerInTheirColours) {
  bins.fill(50);  // a flat trace on row 50
  renderSpectrum(image, view);
  EXPECT_EQ(at(image, 20, 10), colours::kSpectrumBackground.rgb());
  EXPECT_EQ(at(image, 40, 10), colours::kGridLine.rgb());         // 1100 Hz
  EXPECT_EQ(at(image, 240, 10), colours::kPresetGridLine.rgb());  // 1600 Hz
  EXPECT_EQ(at(image, 0, 10), colours::kGridLine.rgb());
  EXPECT_EQ(at(image, 100, 50), colours::kTrace.rgb());
  EXPECT_EQ(at(image, 240, 50), colours::kTrace.rgb());  // the trace lies over the grid
  EXPECT_EQ(at(image, 100, 60), colours::kSpectrumBackground.rgb());
  // 1450 Hz: (371.2 + 0.5 - 256) * 1.5625 = 180.78.
  EXPECT_EQ(at(image, 180, 10), colours::kReceiveMarker.rgb());
  EXPECT_EQ(at(image, 180, 50), colours::kReceiveMarker.rgb());  // the marker lies over the trace
}

TEST_F(SpectrumPictureTest, TraceFollowsTheBins) {
  bins.fill(10);          // the floor on row 90
  bins[256 + 100] = 80;   // bin a + 100 stands at x = 101 * 1.5625 = 157.8, row 20
  renderSpectrum(image, view);
  EXPECT_EQ(at(image, 157, 20), colours::kTrace.rgb());
  EXPECT_EQ(at(image, 130, 90), colours::kTrace.rgb());
  EXPECT_EQ(at(image, 130, 20), colours::kSpectrumBackground.rgb());
  EXPECT_EQ(at(image, 170, 50), colours::kSpectrumBackground.rgb());
}

TEST_F(SpectrumPictureTest, NoPresetNumberNoRedLineNoFrequencyNoMarker) {
  view.presetHz = 1550.0;
  view.receiveHz.reset();
  renderSpectrum(image, view);
  EXPECT_FALSE(columnHolds(image, colours::kPresetGridLine));
  EXPECT_FALSE(columnHolds(image, colours::kReceiveMarker));
  EXPECT_EQ(at(image, 240, 10), colours::kGridLine.rgb());
}

}  // namespace
}  // namespace quillary

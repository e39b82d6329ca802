#include "display/ImdPicture.h"

#include <QImage>
#include <gtest/gtest.h>

#include "display/DisplayColours.h"

namespace quillary {
namespace {

TEST(ImdPicture, ZonesOverTheFullHeightAndTheBarOverTheLowerTwoThirds) {
  QImage image{500, 90, QImage::Format_RGB32};
  renderImdScale(image);
  for (int y : {0, 89}) {
    EXPECT_EQ(image.pixelColor(149, y), QColor(255, 0, 0));      // 0..15 dB
    EXPECT_EQ(image.pixelColor(150, y), QColor(255, 255, 0));    // 15..20 dB
    EXPECT_EQ(image.pixelColor(250, y), QColor(200, 255, 255));  // 20..30 dB
    EXPECT_EQ(image.pixelColor(499, y), QColor(0, 255, 255));    // 30..50 dB
  }
  renderImdMeter(image, -27);
  EXPECT_EQ(image.pixel(0, 30), colours::kImdBar.rgb());
  EXPECT_EQ(image.pixel(269, 89), colours::kImdBar.rgb());
  EXPECT_EQ(image.pixel(270, 60), colours::kImdZoneFair.rgb());
  EXPECT_EQ(image.pixel(100, 29), colours::kImdZoneBad.rgb());  // the top third stays

  renderImdMeter(image, -60);
  EXPECT_EQ(image.pixel(499, 60), colours::kImdBar.rgb());
  EXPECT_EQ(image.pixel(499, 10), colours::kImdZoneGood.rgb());
  for (int16_t best : {int16_t{3}, int16_t{9999}}) {
    renderImdMeter(image, best);
    EXPECT_EQ(image.pixel(0, 60), colours::kImdZoneBad.rgb()) << best;
    EXPECT_EQ(image.pixel(499, 60), colours::kImdZoneGood.rgb()) << best;
  }
}

}  // namespace
}  // namespace quillary

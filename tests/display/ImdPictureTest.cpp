#include "display/ImdPicture.h"

#include <QImage>
#include <gtest/gtest.h>

#include "display/DisplayColours.h"
#include "display/ImdMeterGeometry.h"

namespace quillary {
namespace {

TEST(ImdMeterGeometry, BarWidthFollowsTheBestReading) {
  EXPECT_EQ(imdBarWidth(500, -27), 270);
  EXPECT_EQ(imdBarWidth(500, -50), 500);
  EXPECT_EQ(imdBarWidth(500, -60), 500);
  EXPECT_EQ(imdBarWidth(500, 0), 0);
  EXPECT_EQ(imdBarWidth(500, 3), 0);
  EXPECT_EQ(imdBarWidth(500, 9999), 0);
  const auto ends = imdZoneEnds(500);
  EXPECT_EQ(ends[0], 150);
  EXPECT_EQ(ends[1], 200);
  EXPECT_EQ(ends[2], 300);
  EXPECT_EQ(ends[3], 500);
  EXPECT_EQ(imdBarTop(90), 30);
}

class ImdPictureTest : public ::testing::Test {
 protected:
  QImage image{500, 90, QImage::Format_RGB32};
};

TEST_F(ImdPictureTest, ScaleShowsFourZones) {
  renderImdScale(image);
  EXPECT_EQ(image.pixel(0, 80), colours::kImdZoneBad.rgb());
  EXPECT_EQ(image.pixel(149, 80), colours::kImdZoneBad.rgb());
  EXPECT_EQ(image.pixel(150, 80), colours::kImdZonePoor.rgb());
  EXPECT_EQ(image.pixel(250, 0), colours::kImdZoneFair.rgb());
  EXPECT_EQ(image.pixel(499, 45), colours::kImdZoneGood.rgb());
}

TEST_F(ImdPictureTest, BarEndsInsideTheFairZoneForMinus27) {
  renderImdMeter(image, -27);
  EXPECT_EQ(image.pixel(0, 30), colours::kImdBar.rgb());
  EXPECT_EQ(image.pixel(269, 89), colours::kImdBar.rgb());
  EXPECT_EQ(image.pixel(270, 60), colours::kImdZoneFair.rgb());
  EXPECT_EQ(image.pixel(100, 29), colours::kImdZoneBad.rgb());  // the top third stays
}

TEST_F(ImdPictureTest, FullAndEmptyBars) {
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

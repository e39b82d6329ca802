#include "display/VectorPicture.h"

#include <array>

#include <QImage>
#include <gtest/gtest.h>

#include "display/DisplayColours.h"
#include "display/VectorGeometry.h"

namespace quillary {
namespace {

TEST(VectorGeometry, CentreAndScaleRoundHalvesToEven) {
  const VectorGeometry halves = vectorGeometry(10, 75, 35);
  EXPECT_EQ(halves.cx, 4);   // 4.5
  EXPECT_EQ(halves.cy, 34);  // 33.75
  EXPECT_EQ(halves.r, 10);   // 10.5
  EXPECT_FALSE(vectorGeometry(100, 100, 30).strong);
  EXPECT_TRUE(vectorGeometry(100, 100, 31).strong);
}

std::array<int32_t, 16> spokesRightAndUp() {
  std::array<int32_t, 16> points{};
  for (int k = 0; k < 8; k += 2) points[2 * k] = 1000;      // four spokes to the right
  for (int k = 1; k < 8; k += 2) points[2 * k + 1] = 1000;  // four spokes up
  return points;
}

TEST(VectorPicture, WeakSignalDrawsBlueSpokesStrongRed) {
  QImage image(100, 100, QImage::Format_RGB32);
  const auto points = spokesRightAndUp();
  renderPhaseVector(image, points.data(), 10);
  EXPECT_EQ(image.pixel(51, 45), colours::kWeakSpokes.rgb());  // right spoke, length 12
  EXPECT_EQ(image.pixel(45, 39), colours::kWeakSpokes.rgb());  // up spoke
  EXPECT_EQ(image.pixel(62, 45), colours::kPictureBackground.rgb());
  EXPECT_EQ(image.pixel(45, 5), colours::kVectorCircle.rgb());  // circle top, radius 40

  renderPhaseVector(image, points.data(), 100);
  EXPECT_EQ(image.pixel(75, 45), colours::kStrongSpokes.rgb());  // right spoke, length 40
  EXPECT_EQ(image.pixel(45, 20), colours::kStrongSpokes.rgb());
}

TEST(LevelPicture, BarIsATenthOfTheHeightForLevelTenSquelchLineInSight) {
  EXPECT_EQ(levelRows(100, 150, 0).barTop, 0);  // levels beyond the scale stay in the picture
  EXPECT_EQ(levelRows(100, -5, 0).barTop, 100);
  QImage image(20, 100, QImage::Format_RGB32);
  renderLevelBar(image, 10, 0);
  EXPECT_EQ(image.pixel(10, 95), colours::kLevelBar.rgb());
  EXPECT_EQ(image.pixel(10, 89), colours::kPictureBackground.rgb());
  EXPECT_EQ(image.pixel(10, 99), colours::kSquelchLine.rgb());  // the bottom edge

  renderLevelBar(image, 0, 99);
  EXPECT_EQ(image.pixel(10, 1), colours::kSquelchLine.rgb());
  EXPECT_EQ(image.pixel(10, 0), colours::kPictureBackground.rgb());
  EXPECT_EQ(image.pixel(10, 98), colours::kPictureBackground.rgb());
}

}  // namespace
}  // namespace quillary

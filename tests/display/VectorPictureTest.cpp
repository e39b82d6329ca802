#include "display/VectorPicture.h"

#include <array>

#include <QImage>
#include <gtest/gtest.h>

#include "display/DisplayColours.h"

namespace quillary {
namespace {

TEST(VectorPicture, WeakSignalDrawsBlueSpokesStrongRedAndTheLevelBarShowsTheSquelch) {
  QImage image(100, 100, QImage::Format_RGB32);
  std::array<int32_t, 16> points{};
  for (int k = 0; k < 8; k += 2) points[2 * k] = 1000;  // four spokes to the right
  renderPhaseVector(image, points.data(), 10);
  EXPECT_EQ(image.pixel(51, 45), colours::kWeakSpokes.rgb());  // length 12
  EXPECT_EQ(image.pixel(62, 45), colours::kPictureBackground.rgb());
  renderPhaseVector(image, points.data(), 100);
  EXPECT_EQ(image.pixel(75, 45), colours::kStrongSpokes.rgb());  // length 40

  QImage bar(20, 100, QImage::Format_RGB32);
  renderLevelBar(bar, 10, 99);
  EXPECT_EQ(bar.pixel(10, 95), colours::kLevelBar.rgb());
  EXPECT_EQ(bar.pixel(10, 89), colours::kPictureBackground.rgb());
  EXPECT_EQ(bar.pixel(10, 1), colours::kSquelchLine.rgb());
}

}  // namespace
}  // namespace quillary

// The IMD meter's scale: four colour zones across 0..50 dB.
#include <gtest/gtest.h>

#include "display/ImdMeter.h"
#include "display/PictureBox.h"
#include "support/GuiTest.h"

namespace quillary::testing {
namespace {

TEST(ImdMeter, ScaleShowsTheFourZonesOverTheFullHeight) {
  ensureQtApplication();
  QWidget parent;
  PictureBox picture(&parent);
  picture.resize(500, 30);
  picture.image().fill(Qt::black);
  drawImdScale(picture);
  const QImage& image = picture.image();
  ASSERT_EQ(image.size(), QSize(500, 30));
  for (int y : {0, 29}) {
    EXPECT_EQ(image.pixelColor(10, y), QColor(255, 0, 0));     // 0..15 dB
    EXPECT_EQ(image.pixelColor(149, y), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(151, y), QColor(255, 255, 0));  // 15..20 dB
    EXPECT_EQ(image.pixelColor(250, y), QColor(200, 255, 255)); // 20..30 dB
    EXPECT_EQ(image.pixelColor(301, y), QColor(0, 255, 255));  // 30..50 dB
    EXPECT_EQ(image.pixelColor(499, y), QColor(0, 255, 255));
  }
}

}  // namespace
}  // namespace quillary::testing

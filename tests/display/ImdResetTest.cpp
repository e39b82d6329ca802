// "Reset" beside the IMD meter clears the statistics, the boxes and the bar.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "display/DisplayColours.h"
#include "display/PictureBox.h"
#include "modem/HookTestSupport.h"

namespace quillary::testing {
namespace {

TEST(ImdReset, ClearsBoxesAndBarAndStartsNewStatistics) {
  Form1Harness h;
  h.load();
  Form1Controls& c = h.controls();
  notify(h, kMsgImdReading, -27);
  notify(h, kMsgImdReading, -24);
  const QImage& meter = c.Picture5->image();
  const int bottom = meter.height() - 1;
  ASSERT_EQ(meter.pixel(0, bottom), colours::kImdBar.rgb());

  QTest::mouseClick(c.Command1, Qt::LeftButton);
  EXPECT_EQ(c.txtIMD->text(), "");
  EXPECT_EQ(c.Text1->text(), "");
  EXPECT_EQ(c.Text2->text(), "");
  EXPECT_FALSE(h.state().imd.hasReading());
  EXPECT_EQ(h.state().imd.sum, 0);
  EXPECT_EQ(meter.pixel(0, bottom), colours::kImdZoneBad.rgb());

  notify(h, kMsgImdReading, -30);
  EXPECT_EQ(c.Text1->text(), "1");
  EXPECT_EQ(c.txtIMD->text(), "B: -30 W: -30 A: -30 dB");
}

}  // namespace
}  // namespace quillary::testing

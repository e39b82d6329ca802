#include <QCheckBox>
#include <QLineEdit>
#include "support/Form1Harness.h"
#include "window/FrequencyScrollBar.h"
#include <QTest>

#include "display/DisplayColours.h"
#include "display/SpectrumGeometry.h"
#include "window/PictureBox.h"

namespace quillary::testing {
namespace {

class SpectrumDisplayTest : public LoadedWindowTest {
 protected:
  void SetUp() override {
    h.load();
    c().ckRXAFC->click();  // AFC off: the marker stays where txtRec says
    h.modem.clearCalls();
  }
  void press(int x) { QTest::mousePress(c().Picture2, Qt::LeftButton, {}, QPoint(x, 5)); }
  QRgb at(double x, int y) { return c().Picture2->image().pixel(static_cast<int>(x), y); }
};

TEST_F(SpectrumDisplayTest, PressesTuneFromEdgeToEdgeAndLeaveTheBoxesAlone) {
  c().Picture2->resize(400, c().Picture2->height());  // 0.4 units per hertz
  const QString shown = c().txtRec->text();
  const int scrolled = c().VScroll1->frequency();
  for (int x : {0, 400, 1, 403}) press(x);  // 1: 1002.5 goes to the even neighbour
  EXPECT_EQ(h.modem.calls(),
            (Calls{"fnSetRXFrequency(1000,0,0)", "fnSetRXFrequency(2000,0,0)", "fnSetRXFrequency(1002,0,0)"}));
  EXPECT_EQ(c().txtRec->text(), shown);
  EXPECT_EQ(c().VScroll1->frequency(), scrolled);
}

TEST_F(SpectrumDisplayTest, DrawsTheGridTheRedPresetLineTheTraceAndTheMarker) {
  h.modem.spectrum.fill(50);
  c().txtRec->setText("1450");
  notify(h, kMsgDisplayReady, 0);
  const QImage& image = c().Picture2->image();
  const double width = image.width();
  const SpectrumScale scale = spectrumScale(h.state().range, width, image.height());
  EXPECT_EQ(at(width * 6 / 10, 2), colours::kPresetGridLine.rgb());  // 1600
  EXPECT_EQ(at(width * 3 / 20, image.height() / 2), colours::kTrace.rgb());
  EXPECT_EQ(at(markerX(scale, 1450), 2), colours::kReceiveMarker.rgb());

  // AFC on: the marker follows the receiver; pulled beyond the bar's top,
  // the receiver is never sent back to the bar's end.
  c().ckRXAFC->click();
  h.modem.answer("fnGetRXFrequency", 1520);
  notify(h, kMsgDisplayReady, 0);
  EXPECT_EQ(c().txtRec->text(), "1520");
  EXPECT_EQ(at(markerX(scale, 1520), 2), colours::kReceiveMarker.rgb());
  h.modem.clearCalls();
  h.modem.answer("fnGetRXFrequency", 3050);
  notify(h, kMsgDisplayReady, 0);
  notify(h, kMsgDisplayReady, 0);
  EXPECT_EQ(c().VScroll1->frequency(), 3000);
  EXPECT_EQ(c().txtRec->text(), "3050");
  EXPECT_TRUE(h.modem.callsOf("fnSetRXFrequency").empty());
}

}  // namespace
}  // namespace quillary::testing

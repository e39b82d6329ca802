#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <climits>
#include <gtest/gtest.h>

#include "support/Form1Harness.h"
#include "app/SettingsFiles.h"
#include "window/FrequencyScrollBar.h"
#include "window/PictureBox.h"

namespace quillary::testing {
namespace {

// The modem's reports arrive, the timers tick, the controls are used.
void useTheWindow(Form1Harness& h) {
  Form1Controls& c = h.controls();
  notify(h, kMsgDisplayReady, 0);
  receive(h, {'C', 'Q', 13, 10});
  notify(h, kMsgImdReading, -25);
  notify(h, kMsgClockError, 12);
  QTest::mouseClick(c.Check2, Qt::LeftButton);  // "Search"
  tick(*c.Timer1);
  tick(*c.Timer2);
  QTest::mouseClick(c.Picture2, Qt::LeftButton, {}, QPoint(40, 20));  // click-to-tune
  QTest::keyClick(c.VScroll1, Qt::Key_PageDown);
  QTest::mouseClick(c.Check3, Qt::LeftButton);  // the transmit panel
  QTest::keyClicks(c.Text4, "N0CALL");
  typeInto(c.Combo5, "1");
  QTest::mouseClick(c.Command3, Qt::LeftButton);  // "Open"
  for (QPushButton* action : c.Command4) QTest::mouseClick(action, Qt::LeftButton);
  QTest::mouseClick(c.Command4_10, Qt::LeftButton);
  QTest::keyClicks(c.Text5, "HELLO");
  notify(h, kMsgTransmitState, 1);
  QTest::mouseClick(c.Command6, Qt::LeftButton);  // Tune
  QTest::mouseClick(c.Command5, Qt::LeftButton);  // ABORT
  notify(h, kMsgTransmitState, 0);
  tick(*c.Timer2);
}

TEST(FailingModem, TheWindowLoadsWorksAndClosesWhateverErrorEveryCallAnswers) {
  for (const int32_t error : {-1, 21, INT32_MIN, INT32_MAX}) {
    SCOPED_TRACE(error);
    Form1Harness h;
    h.modem.answerAll(error);
    h.modem.spectrum.fill(error);
    h.modem.vector.fill(error);
    h.load();
    useTheWindow(h);
    EXPECT_TRUE(h.form().isVisible());
    h.close();
    const PskIniRead saved = readPskIni(h.file("psk.ini"));
    EXPECT_EQ(saved.ownCall, "N0CALL");
    EXPECT_TRUE(saved.commPort.has_value()) << "psk.ini is complete";
  }
}

}  // namespace
}  // namespace quillary::testing

// The comm port button, and a modem that answers every call with an error.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <climits>
#include <gtest/gtest.h>

#include "app/SettingsFiles.h"
#include "support/Form1Harness.h"
#include "window/FrequencyScrollBar.h"
#include "window/PictureBox.h"

namespace quillary::testing {
namespace {

// The comm port button: opens the typed port in the modem, shows the held
// port in light red, releases the port it opened.

class CommPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.load();
    QTest::mouseClick(h.controls().Check3, Qt::LeftButton);  // the transmit panel holds the button
    h.modem.clearCalls();
  }
  void press(const char* comboText = nullptr) {
    if (comboText) typeInto(h.controls().Combo5, QString::fromLatin1(comboText));
    QTest::mouseClick(h.controls().Command3, Qt::LeftButton);
  }
  bool lightRed() { return h.controls().Command3->palette().color(QPalette::Button) == QColor(255, 192, 192); }

  Form1Harness h;
};

TEST_F(CommPortTest, NumbersBelowOneAndWordsAskForAPortNumberTooLargeOnesAreWrong) {
  for (const char* text : {"0.5", "COM", "99999"}) {
    SCOPED_TRACE(text);
    h.dialogs.shown.clear();
    press(text);
    const bool tooLarge = std::string(text) == "99999";
    EXPECT_EQ(h.dialogs.texts(), QStringList({tooLarge ? "Wrong Comm Port No" : "Select Comm Port No"}));
    EXPECT_EQ(h.state().commPort.open, 0);
  }
  EXPECT_TRUE(h.modem.calls().empty());
}

TEST_F(CommPortTest, ARefusedPortIsTriedAgainAHeldOneShowsLightRedUntilReleasedOrChanged) {
  h.modem.answer("fnSetComPort", 1);
  h.modem.answerOnce("fnSetComPort", {0});
  press("5");
  EXPECT_EQ(h.dialogs.texts(), QStringList({"Wrong Comm Port No"}));
  EXPECT_FALSE(lightRed());
  press();
  EXPECT_TRUE(lightRed());
  press();
  EXPECT_FALSE(lightRed());
  // Halves go to the even port; a changed port releases the one held.
  press("2.5");
  press();
  press("3.5");
  press("7 (USB)");
  press();
  EXPECT_EQ(h.modem.calls(), (Calls{"fnSetComPort(5,3)", "fnSetComPort(5,3)", "fnSetComPort(5,0)",
                                    "fnSetComPort(2,3)", "fnSetComPort(2,0)", "fnSetComPort(4,3)",
                                    "fnSetComPort(4,0)", "fnSetComPort(7,3)"}));
}

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

// CAT and VOX need no port number: "Open" keys through the radio link, and
// a port the modem had to let go of loses its red at the next tick.
TEST_F(CommPortTest, WithCatOrVoxOpenHoldsTheRadioWhateverTheNumberAndADroppedPortIsShown) {
  h.radio.configure({PttMethod::Vox, 2, "", 0});
  press("0");
  EXPECT_TRUE(lightRed());
  EXPECT_EQ(h.radio.holds, 1);
  h.radio.answer.pttDrops = 1;
  EXPECT_TRUE(QTest::qWaitFor([&] { return !lightRed(); }, 3000)) << "the 1000 ms tick";
  EXPECT_EQ(h.controls().lblRadio->text(), "PTT released: no answer");
  h.radio.holdAnswer = false;
  h.radio.configure({PttMethod::Cat, 2, "shack:4532", 0});
  press();
  EXPECT_FALSE(lightRed());
  EXPECT_EQ(h.state().commPort.open, 0);
  EXPECT_TRUE(h.dialogs.shown.empty()) << "the status line says why";
  EXPECT_TRUE(h.modem.callsOf("fnSetComPort").empty());
}

}  // namespace
}  // namespace quillary::testing

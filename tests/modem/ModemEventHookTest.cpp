// The hook end to end: notifications posted to the main window change the
// receive area, the last-line box, the transmit state, the IMD boxes and
// meter and the clock label.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include "display/DisplayColours.h"
#include "display/PictureBox.h"
#include "modem/HookTestSupport.h"

namespace quillary::testing {
namespace {

class ModemEventHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.load();
    h.modem.clearCalls();
  }
  QString term() { return h.controls().Term->toPlainText(); }

  Form1Harness h;
};

TEST_F(ModemEventHookTest, LineOfCharactersReachesTheLastLineBox) {
  const QString before = term();
  receive(h, {'C', 'Q', 13, 10});
  EXPECT_EQ(term(), before + "CQ\n");
  EXPECT_EQ(h.controls().Text3->text(), "CQ");

  h.controls().Text3->setText("kept");
  receive(h, {13});
  EXPECT_EQ(term(), before + "CQ\n\n");
  EXPECT_EQ(h.controls().Text3->text(), "kept");  // an empty line is not handed over
}

TEST_F(ModemEventHookTest, KanjiModePairsBytesIntoOneCharacter) {
  h.controls().Term->setPlainText("");
  h.state().kanjiMode = 1;
  receive(h, {0x88, 0x9F}, -1);
  EXPECT_EQ(term(), QString::fromUtf8("\xE4\xBA\x9C"));
  receive(h, {'A', 0x88, 8, 0x9F, 13});
  EXPECT_EQ(term(), QString::fromUtf8("\xE4\xBA\x9C\xE4\xBA\x9C\n"));  // the backspace took the A
  EXPECT_EQ(h.controls().Text3->text(), QString::fromUtf8("\xE4\xBA\x9C") + "A" +
                                            QString::fromUtf8("\xE4\xBA\x9C"));

  h.state().kanjiMode = 0;
  receive(h, {0x88, 0x9F});
  EXPECT_TRUE(term().endsWith(QString::fromUtf8("\n\xCB\x86\xC5\xB8")));  // two single-byte characters
}

TEST_F(ModemEventHookTest, ForeignParametersAreDropped) {
  h.controls().Term->setPlainText("x");
  receive(h, {'A'}, 1);
  receive(h, {300, -5});
  EXPECT_EQ(term(), "x");
}

TEST_F(ModemEventHookTest, ReceiveAreaIsCutAboveAThousandCharacters) {
  h.controls().Term->setPlainText(QString(1000, 'a'));
  receive(h, {'b'});
  EXPECT_EQ(term().size(), 1001);
  receive(h, {'c'});
  EXPECT_EQ(term().size(), 501);
  EXPECT_TRUE(term().endsWith("abc"));
}

TEST_F(ModemEventHookTest, TransmitterOffEmptiesTheTransmitBoxOnlyAfterSending) {
  Form1Controls& c = h.controls();
  MainState& s = h.state();
  notify(h, kMsgTransmitState, 1);
  EXPECT_EQ(s.transmitState, 1);
  EXPECT_EQ(s.transmitterOn, 1);
  c.Text5->setPlainText("sent text");
  notify(h, kMsgTransmitState, 0);
  EXPECT_EQ(s.transmitState, 0);
  EXPECT_EQ(s.transmitterOn, 0);
  EXPECT_EQ(c.Text5->toPlainText(), "");

  s.transmitState = 2;
  c.Text5->setPlainText("sign-off");
  notify(h, kMsgTransmitState, 7);  // no meaning: nothing changes
  EXPECT_EQ(s.transmitState, 2);
  notify(h, kMsgTransmitState, 0);
  EXPECT_EQ(c.Text5->toPlainText(), "");

  c.Text5->setPlainText("typed ahead");
  notify(h, kMsgTransmitState, 0);
  EXPECT_EQ(c.Text5->toPlainText(), "typed ahead");
}

TEST_F(ModemEventHookTest, TransmitIndicatorFollowsOneTickLate) {
  Form1Controls& c = h.controls();
  h.modem.answerOnce("fnGetTXCharsRemaining", {12, 0, 0});
  tick(*c.Timer2);
  EXPECT_FALSE(c.Picture4[1]->isVisible());
  EXPECT_EQ(h.state().transmitState, 1);
  tick(*c.Timer2);
  EXPECT_TRUE(c.Picture4[1]->isVisible());
  notify(h, kMsgTransmitState, 0);
  EXPECT_TRUE(c.Picture4[1]->isVisible());
  tick(*c.Timer2);
  EXPECT_FALSE(c.Picture4[1]->isVisible());
  EXPECT_EQ(h.modem.callsOf("fnGetTXCharsRemaining").size(), 3u);
}

TEST_F(ModemEventHookTest, ImdReadingsFillTheBoxesAndTheMeter) {
  Form1Controls& c = h.controls();
  notify(h, kMsgImdReading, -28);
  notify(h, kMsgImdReading, -21);
  notify(h, kMsgImdReading, -26);
  EXPECT_EQ(c.txtIMD->text(), "B: -28 W: -21 A: -25 dB");
  EXPECT_EQ(c.Text1->text(), "3");
  EXPECT_EQ(c.Text2->text(), "-26 dB");
  const QImage& meter = c.Picture5->image();
  const int bottom = meter.height() - 1;
  EXPECT_EQ(meter.pixel(meter.width() * 27 / 50, bottom), colours::kImdBar.rgb());
  EXPECT_NE(meter.pixel(meter.width() * 29 / 50, bottom), colours::kImdBar.rgb());

  for (int i = 3; i < 19; ++i) notify(h, kMsgImdReading, -30);
  notify(h, kMsgImdReading, -40);
  EXPECT_EQ(c.Text1->text(), "20");
  EXPECT_EQ(c.txtIMD->text(), "B: -40 W: -21 A: -30 dB");
  EXPECT_FALSE(h.state().imd.hasReading());
  EXPECT_EQ(c.Picture5->image().pixel(0, bottom), colours::kImdZoneBad.rgb());  // empty bar
}

TEST_F(ModemEventHookTest, ClockErrorIsShownInSignedStyle) {
  notify(h, kMsgClockError, -3);
  EXPECT_EQ(h.controls().Label2->text(), "-3 ppm");
  notify(h, kMsgClockError, 0);
  EXPECT_EQ(h.controls().Label2->text(), " 0 ppm");
  notify(h, kMsgClockError, 12);
  EXPECT_EQ(h.controls().Label2->text(), " 12 ppm");
}

TEST_F(ModemEventHookTest, DisplayReadyDrawsVectorAndLevelThenTheSpectrum) {
  h.modem.answer("fnGetSignalLevel", 10);
  h.modem.answer("fnGetRXFrequency", 1500);
  notify(h, kMsgDisplayReady, 0);
  const std::vector<std::string> expected = {
      "fnGetVectorData(0)", "fnGetSignalLevel(0)", "fnGetFFTData(256,512)",
      "fnGetRXFrequency(0)", "fnSetRXFrequency(1500,0,0)"};  // AFC moved the receiver
  EXPECT_EQ(h.modem.calls(), expected);
  EXPECT_EQ(h.controls().txtRec->text(), "1500");

  // With AFC off the receive frequency is not followed.
  ASSERT_TRUE(h.controls().ckRXAFC->isChecked());
  h.controls().ckRXAFC->click();
  h.modem.clearCalls();
  notify(h, kMsgDisplayReady, 0);
  EXPECT_TRUE(h.modem.callsOf("fnGetRXFrequency").empty());
}

}  // namespace
}  // namespace quillary::testing

// The modem's notifications through the hook, and the receive tuning
// controls with the signal search.
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <functional>

#include "display/DisplayColours.h"
#include "link/SignalSearch.h"
#include "support/Form1Harness.h"
#include "window/FrequencyScrollBar.h"
#include "window/MainState.h"
#include "window/PictureBox.h"

namespace quillary::testing {
namespace {

using ModemEventHookTest = LoadedWindowTest;

const QString kKanji = QString::fromUtf8("\xE4\xBA\x9C");  // 0x88 0x9F in CP932

TEST_F(ModemEventHookTest, CharactersReachTheReceiveAreaAndCompleteLinesTheLastLineBox) {
  struct Case {
    const char* what;
    bool kanji;
    std::initializer_list<int> bytes;
    int32_t lParam;
    QString term;
    QString lastLine;  // "kept" when no line was handed over
  };
  const Case cases[] = {
      {"Kanji pair", true, {0x88, 0x9F}, -1, kKanji, "kept"},
      {"Kanji off: two characters", false, {0x88, 0x9F}, 0, QString::fromUtf8("\xCB\x86\xC5\xB8"), "kept"},
      {"lead byte then CR", true, {'O', 'K', 0x88, 13, 'X'}, 0, "OK\nX", "OK"},
      {"lead, backspace, trail", true, {'A', 'B', 0x88, 8, 0x9F, 13}, 0, "A" + kKanji + "\n",
       "AB" + kKanji},
      {"C Q CR LF", false, {'C', 'Q', 13, 10}, 0, "CQ\n", "CQ"},
      {"wParam outside 0..255", true, {0x88, 300, -5, 0x10041, 0x9F}, 0, kKanji, "kept"},
      {"lParam other than 0 or -1", false, {'A', 13}, 1, "", "kept"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    receive(h, {13});  // ends what the case before left in the line
    c().Term->setPlainText("");
    c().Text3->setText("kept");
    if ((h.state().kanjiMode == 1) != k.kanji) QTest::mouseClick(c().Command2, Qt::LeftButton);  // "Kanji"
    if (k.kanji) {
      EXPECT_TRUE(QFontMetrics(c().Term->font()).inFontUcs4(U'亜'));
    }
    receive(h, k.bytes, k.lParam);
    EXPECT_EQ(c().Term->toPlainText(), k.term);
    EXPECT_EQ(c().Text3->text(), k.lastLine);
  }
}

TEST_F(ModemEventHookTest, ReceiveAreaIsCutToItsLastHalfAboveAThousandCharacters) {
  // The cut comes before a backspace, which then works on the tail.
  c().Term->setPlainText(QString(1000, 'a') + "b");
  receive(h, {8});
  EXPECT_EQ(c().Term->toPlainText(), QString(499, 'a'));
}

// A station that never ends its line must not grow it without bound; a
// command at its end still reaches the image program.
TEST_F(ModemEventHookTest, ALineLongerThanTheReceiveAreaIsCutBackAndItsCommandStillFound) {
  for (int i = 0; i < 1600; ++i) receive(h, {'R'});
  for (const char byte : std::string(":N0CALL/PHOTO")) receive(h, {byte});
  receive(h, {13});
  const QString line = c().Text3->text();
  EXPECT_LE(line.size(), 1000);
  EXPECT_TRUE(line.endsWith("RRR:N0CALL/PHOTO")) << line.toStdString();
  EXPECT_TRUE(readBytes(h.file("cmd_data.txt")).starts_with(line.toStdString() + "\r\n"));
}

TEST_F(ModemEventHookTest, TransmitterOffEmptiesTheTransmitBoxOnlyAfterSending) {
  notify(h, kMsgTransmitState, 1);
  c().Text5->setPlainText("sent text");
  notify(h, kMsgTransmitState, 0);
  EXPECT_EQ(c().Text5->toPlainText(), "");
  c().Text5->setPlainText("typed ahead");  // state 0: nothing was being sent
  notify(h, kMsgTransmitState, 0);
  EXPECT_EQ(c().Text5->toPlainText(), "typed ahead");
}

TEST_F(ModemEventHookTest, ImdReadingsFillTheBoxesAndTheMeterUntilTheTwentiethAndReset) {
  for (int reading : {-28, -21, -26}) notify(h, kMsgImdReading, reading);
  EXPECT_EQ(c().txtIMD->text() + "|" + c().Text1->text() + "|" + c().Text2->text(),
            "B: -28 W: -21 A: -25 dB|3|-26 dB");
  const QImage& meter = c().Picture5->image();
  EXPECT_EQ(meter.pixel(meter.width() * 27 / 50, meter.height() - 1), colours::kImdBar.rgb());
  for (int i = 3; i < 20; ++i) notify(h, kMsgImdReading, -40);
  notify(h, kMsgImdReading, -30);
  EXPECT_EQ(c().txtIMD->text() + "|" + c().Text1->text(), "B: -30 W: -30 A: -30 dB|1");
  QTest::mouseClick(c().Command1, Qt::LeftButton);  // "Reset"
  EXPECT_EQ(c().txtIMD->text() + c().Text1->text() + c().Text2->text(), "");
  EXPECT_EQ(c().Picture5->image().pixel(0, meter.height() - 1), colours::kImdZoneBad.rgb());
}

using ReceiveTuningControlsTest = LoadedWindowTest;

TEST_F(ReceiveTuningControlsTest, NetMakesTheTransmitFrequencyFollowTheReceiver) {
  c().VScroll1->setFrequency(1500);
  c().VScroll2->setFrequency(1500);
  h.modem.clearCalls();
  retype(c().txtTX, "1000");
  clickScrollBarPart(*c().VScroll1, QStyle::SC_ScrollBarSubLine);
  EXPECT_EQ(c().txtRec->text() + "/" + c().txtTX->text(), "1501/1000");
  QTest::mouseClick(c().ckTXAFC, Qt::LeftButton);
  clickScrollBarPart(*c().VScroll1, QStyle::SC_ScrollBarAddLine);
  EXPECT_EQ(c().txtRec->text() + "/" + c().txtTX->text(), "1500/1500");
  EXPECT_EQ(h.modem.calls(), (Calls{"fnSetRXFrequency(1501,0,0)", "fnSetRXFrequency(1500,0,0)"}));
}

// The top of a frequency bar is the highest frequency. Every way of moving
// it changes its value, so the arrows and the wheel stand for them all.
TEST_F(ReceiveTuningControlsTest, FrequencyBarsMoveThumbValueAndFrequencyTheSameWay) {
  struct Move {
    const char* what;
    std::function<void(QScrollBar&)> act;
    bool down;
  };
  const Move moves[] = {
      {"down arrow", [](QScrollBar& b) { clickScrollBarPart(b, QStyle::SC_ScrollBarAddLine); }, true},
      {"up arrow", [](QScrollBar& b) { clickScrollBarPart(b, QStyle::SC_ScrollBarSubLine); }, false},
      {"wheel towards the operator", [](QScrollBar& b) { wheelScrollBar(b, true); }, true},
  };
  for (FrequencyScrollBar* bar : {c().VScroll1, c().VScroll2}) {
    QLineEdit* box = bar == c().VScroll1 ? c().txtRec : c().txtTX;
    bar->resize(bar->width(), 6000);  // two pixels a hertz: every step shows
    for (const Move& move : moves) {
      SCOPED_TRACE(bar->objectName().toStdString() + ": " + move.what);
      bar->setFrequency(1500);
      const int thumbBefore = scrollBarPart(*bar, QStyle::SC_ScrollBarSlider).top();
      move.act(*bar);
      const int thumbAfter = scrollBarPart(*bar, QStyle::SC_ScrollBarSlider).top();
      const int frequency = bar->frequency();
      EXPECT_EQ(frequency < 1500, move.down) << frequency;
      EXPECT_NE(frequency, 1500);
      EXPECT_EQ(thumbAfter > thumbBefore, move.down) << thumbBefore << " -> " << thumbAfter;
      EXPECT_EQ(box->text(), QString::number(frequency));
    }
  }
  EXPECT_EQ(h.modem.callsOf("fnSetRXFrequency").back(),
            "fnSetRXFrequency(" + std::to_string(c().VScroll1->frequency()) + ",0,0)");
}

// What the modem, the shared values and the boxes hold after each choice.
std::string settingsOf(Form1Harness& h) {
  const Form1Controls& c = h.controls();
  const MainState& s = h.state();
  return QStringLiteral("mode %1, preset %2 %3 tx %4, range %5-%6, boxes %7|%8|%9|%10")
      .arg(s.modeCode).arg(s.presetCentre).arg(c.Command23->text(), c.txtTX->text())
      .arg(s.range.low).arg(s.range.high)
      .arg(c.Combo3->currentText(), c.Combo6->currentText(), c.Combo1->currentText() + "/" + c.Combo2->currentText(),
           c.Combo7->currentText())
      .toStdString();
}

// Picked from the list or typed and ended with Return, a choice acts the
// same; a typed text naming no mode, preset or range changes nothing and the
// box shows what is in use again. Typed spectrum numbers are sent as typed.
TEST_F(ReceiveTuningControlsTest, EachComboActsOnAPickOrATypedTextAndPutsBackWhatItCannotUse) {
  struct Row {
    QComboBox* Form1Controls::*box;
    bool pick;
    const char* text;
    Calls calls;
    const char* settings;
  };
  const Row rows[] = {
      {&Form1Controls::Combo3, true, "QPSK63", {"fnSetRXPSKMode(9,0)"},
       "mode 9, preset 1600 1600Hz tx 1500, range 1000-2000, boxes QPSK63|1600|3/1|1000-2000"},
      {&Form1Controls::Combo3, false, "bpsk125", {"fnSetRXPSKMode(16,0)"},
       "mode 16, preset 1600 1600Hz tx 1500, range 1000-2000, boxes BPSK125|1600|3/1|1000-2000"},
      {&Form1Controls::Combo3, false, "PSK31", {},
       "mode 16, preset 1600 1600Hz tx 1500, range 1000-2000, boxes BPSK125|1600|3/1|1000-2000"},
      {&Form1Controls::Combo6, true, "1400", {"fnSetRXFrequency(1400,0,0)"},
       "mode 16, preset 1400 1400Hz tx 1400, range 1000-2000, boxes BPSK125|1400|3/1|1000-2000"},
      {&Form1Controls::Combo6, false, "1475", {"fnSetRXFrequency(1475,0,0)"},
       "mode 16, preset 1475 1475Hz tx 1475, range 1000-2000, boxes BPSK125|1475|3/1|1000-2000"},
      {&Form1Controls::Combo6, false, "14OO", {},
       "mode 16, preset 1475 1475Hz tx 1475, range 1000-2000, boxes BPSK125|1475|3/1|1000-2000"},
      {&Form1Controls::Combo6, false, "9000", {},
       "mode 16, preset 1475 1475Hz tx 1475, range 1000-2000, boxes BPSK125|1475|3/1|1000-2000"},
      {&Form1Controls::Combo1, true, "5", {"fnSetFFTMode(5,100,1)"},
       "mode 16, preset 1475 1475Hz tx 1475, range 1000-2000, boxes BPSK125|1475|5/1|1000-2000"},
      {&Form1Controls::Combo2, false, "25", {"fnSetFFTMode(5,100,25)"},
       "mode 16, preset 1475 1475Hz tx 1475, range 1000-2000, boxes BPSK125|1475|5/25|1000-2000"},
      {&Form1Controls::Combo2, false, "lots", {},
       "mode 16, preset 1475 1475Hz tx 1475, range 1000-2000, boxes BPSK125|1475|5/lots|1000-2000"},
      // The list's current item is still "1": Qt reports no choice, the box does.
      {&Form1Controls::Combo2, false, "1", {"fnSetFFTMode(5,100,1)"},
       "mode 16, preset 1475 1475Hz tx 1475, range 1000-2000, boxes BPSK125|1475|5/1|1000-2000"},
      {&Form1Controls::Combo7, false, "500-2500", {},
       "mode 16, preset 1475 1475Hz tx 1475, range 500-2500, boxes BPSK125|1475|5/1|500-2500"},
      {&Form1Controls::Combo7, false, "700-1900", {},
       "mode 16, preset 1475 1475Hz tx 1475, range 500-2500, boxes BPSK125|1475|5/1|500-2500"},
  };
  for (const Row& row : rows) {
    QComboBox* box = c().*row.box;
    SCOPED_TRACE(box->objectName().toStdString() + (row.pick ? " picked " : " typed ") + row.text);
    h.modem.clearCalls();
    row.pick ? pickItem(box, row.text) : typeInto(box, row.text);
    EXPECT_EQ(h.modem.calls(), row.calls);
    EXPECT_EQ(settingsOf(h), row.settings);
  }
}

TEST_F(ReceiveTuningControlsTest, TheSquelchBarSendsTheThresholdTheOtherWayRound) {
  QTest::keyClick(c().VScroll3, Qt::Key_Home);
  QTest::keyClick(c().VScroll3, Qt::Key_PageDown);
  QTest::keyClick(c().VScroll3, Qt::Key_End);
  EXPECT_EQ(h.modem.calls(), (Calls{"fnSetSquelchThreshold(99,0,0)", "fnSetSquelchThreshold(89,0,0)",
                                    "fnSetSquelchThreshold(0,0,0)"}));
}

class SignalSearchTimerTest : public LoadedWindowTest {
 protected:
  void SetUp() override {
    h.load();
    pickItem(c().Combo6, "1400");
    typeInto(c().Combo4, "120");  // typed, not in the list
    for (int step = 0; step < 4; ++step) QTest::keyClick(c().VScroll3, Qt::Key_PageUp);  // threshold 40
    QTest::mouseClick(c().ckTXAFC, Qt::LeftButton);
    QTest::mouseClick(c().Check2, Qt::LeftButton);
    h.modem.clearCalls();
  }
};

TEST_F(SignalSearchTimerTest, HuntsWithinTheWindowHoldsAboveTheThresholdAndStopsWhenOff) {
  // A peak at the low edge is not taken; a level at the threshold finds nothing.
  h.modem.answerOnce("fnGetClosestPeak", {1280, 1450});
  h.modem.answerOnce("fnGetSignalLevel", {40, 40});
  tick(*c().Timer1);
  tick(*c().Timer1);
  EXPECT_EQ(h.modem.calls(), (Calls{"fnGetClosestPeak(1280,1520)", "fnGetSignalLevel(0)",
                                    "fnGetClosestPeak(1280,1520)", "fnSetRXFrequency(1450,0,0)",
                                    "fnGetSignalLevel(0)"}));

  // Held above the threshold and at it without retuning; hunting again below.
  h.modem.answer("fnGetClosestPeak", 1420);
  h.modem.answerOnce("fnGetSignalLevel", {41, 90, 40, 39});
  tick(*c().Timer1);
  h.modem.clearCalls();
  tick(*c().Timer1);
  tick(*c().Timer1);
  EXPECT_TRUE(h.modem.callsOf("fnSetRXFrequency").empty());
  EXPECT_TRUE(c().Picture4[0]->isVisible());
  tick(*c().Timer1);
  EXPECT_FALSE(c().Picture4[0]->isVisible());
  QTest::mouseClick(c().Check2, Qt::LeftButton);
  EXPECT_FALSE(c().Timer1->isActive());
}

TEST_F(SignalSearchTimerTest, NoHalfWidthNoSearchAndAHugeOneKeepsTheEdgesInRange) {
  typeInto(c().Combo4, "wide");
  tick(*c().Timer1);
  EXPECT_TRUE(h.modem.calls().empty());
  const SearchWindow wide = searchWindowAround(1600, INT32_MAX);
  EXPECT_EQ(wide.lowHz, 1600 - INT32_MAX);
  EXPECT_EQ(wide.highHz, INT32_MAX);
}

}  // namespace
}  // namespace quillary::testing

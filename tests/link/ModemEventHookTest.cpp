#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "support/Form1Harness.h"
#include "display/DisplayColours.h"
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
    if (k.kanji) EXPECT_TRUE(QFontMetrics(c().Term->font()).inFontUcs4(U'亜'));
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

}  // namespace
}  // namespace quillary::testing

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <gtest/gtest.h>
#include <cstdlib>

#include "common/CodePage.h"
#include "support/TransmitPanelTest.h"

namespace quillary::testing {
namespace {

class TransmitKeys : public TransmitPanelTest {
 protected:
  void SetUp() override {
    writeBytes(h.file("cmd2.txt"), "M2\r\n<TX> two <RX>\r\n");
    writeBytes(h.file("cmd6.txt"), "M6\r\nsix\r\n");
    writeBytes(h.file("cmd7.txt"), "M7\r\n<TX> seven\r\n");
    TransmitPanelTest::SetUp();
  }
  // The box holds `typed` (Enter for each "\n"), the state is set, and the
  // calls so far are forgotten.
  void prepare(const char* typed, int16_t state) {
    c().Text5->clear();
    h.state().transmitState = 0;
    for (const QString& line : QString::fromLatin1(typed).split('\n')) {
      if (!box().isEmpty()) QTest::keyClick(c().Text5, Qt::Key_Return);
      type(line);
    }
    h.state().transmitState = state;
    h.modem.clearCalls();
    h.modem.sentTexts.clear();
  }
  void type(const QString& text) { QTest::keyClicks(c().Text5, text); }
};

struct KeyRow {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  int16_t stateBefore;
  Calls calls;
  int16_t stateAfter;
};

const Calls kKeyAndSend{"fnSetTXFrequency(1500)", "fnStartTX(9)", "fnSendTXString()"};
const Calls kKeySendStop{"fnSetTXFrequency(1500)", "fnStartTX(9)", "fnSendTXString()", "fnStopTX()"};
const Calls kSendStop{"fnSendTXString()", "fnStopTX()"};
const Calls kSignOff{"fnSetCWIDString()", "fnStartTX(4)", "fnStopTX()"};

TEST_F(TransmitKeys, EveryRowOfTheKeyMapInTheStatesItReadsOrWrites) {
  const Qt::KeyboardModifiers none = Qt::NoModifier;
  const KeyRow rows[] = {
      {Qt::Key_F1, none, 0, kKeySendStop, 0},
      {Qt::Key_F2, none, 0, kKeySendStop, 0},
      {Qt::Key_F3, none, 0, kKeySendStop, 0},  // the HTML button would set 1
      {Qt::Key_F4, none, 0, kKeySendStop, 0},
      {Qt::Key_F5, none, 0, kKeyAndSend, 1},
      {Qt::Key_F6, none, 0, kSendStop, 0},
      {Qt::Key_F7, none, 0, kSendStop, 0},
      {Qt::Key_F8, none, 0, kKeySendStop, 1},
      // Macros: 2 keys and unkeys, 6 has no token, 7 only keys.
      {Qt::Key_F2, Qt::ShiftModifier, 0, kKeySendStop, 0},
      {Qt::Key_F2, Qt::ControlModifier, 1,
       {"fnSendTXString()", "fnSetTXFrequency(1500)", "fnStartTX(9)", "fnSendTXString()", "fnStopTX()"}, 0},
      {Qt::Key_F2, Qt::AltModifier, 0, kKeySendStop, 0},
      {Qt::Key_F6, Qt::ShiftModifier, 1, {"fnSendTXString()"}, 0},
      {Qt::Key_F6, Qt::ShiftModifier, 0, {}, 0},
      {Qt::Key_F7, Qt::ShiftModifier, 0, kKeyAndSend, 0},
      {Qt::Key_F7, Qt::ShiftModifier, 2, kKeyAndSend, 2},
      {Qt::Key_F1, Qt::ShiftModifier, 1, {}, 0},  // a menu never stored
      {Qt::Key_F8, Qt::ShiftModifier, 1, {}, 1},  // the log form: nothing goes on air
      {Qt::Key_F9, none, 1, kSignOff, 2},
      {Qt::Key_F9, Qt::ShiftModifier, 0, kSignOff, 2},
      {Qt::Key_F10, Qt::ControlModifier, 0, kSignOff, 2},
      {Qt::Key_F11, none, 0, kKeyAndSend, 0},
      {Qt::Key_F11, none, 1, {"fnStopTX()"}, 1},
      {Qt::Key_F11, none, 2, {"fnStopTX()"}, 2},
      {Qt::Key_F11, Qt::ControlModifier, 0, kKeyAndSend, 1},
      {Qt::Key_F11, Qt::ShiftModifier, 1, {"fnStopTX()"}, 0},
      {Qt::Key_F11, Qt::AltModifier, 2, {"fnStopTX()"}, 0},
      {Qt::Key_F12, none, 1, {"fnAbortTX()"}, 1},
      {Qt::Key_F12, Qt::AltModifier, 0, {"fnAbortTX()"}, 0},
      {Qt::Key_Left, none, 1, {}, 1},
  };
  for (const KeyRow& row : rows) {
    prepare("abc", row.stateBefore);
    QTest::keyClick(c().Text5, row.key, row.modifiers);
    const std::string where = QKeySequence(row.key | row.modifiers).toString().toStdString() +
                              " in state " + std::to_string(row.stateBefore);
    EXPECT_EQ(transmitCalls(), row.calls) << where;
    EXPECT_EQ(h.state().transmitState, row.stateAfter) << where;
  }
  EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST_F(TransmitKeys, TheTextsOfF7F11AndTheMorseKeys) {
  prepare("abc", 0);
  QTest::keyClick(c().Text5, Qt::Key_F7);
  EXPECT_EQ(h.modem.sentTexts, std::vector<std::string>{"\r\nALL de N0CALL  73 TU sk sk\r\n"});
  EXPECT_EQ(box(), "abc\r\nALL de N0CALL  73 TU sk sk\r\n");
  prepare("abc\ndef", 0);
  QTest::keyClick(c().Text5, Qt::Key_F11);  // the type-ahead is sent and stays
  EXPECT_EQ(h.modem.sentTexts, std::vector<std::string>{"abc\r\ndef"});
  EXPECT_EQ(box(), "abc\r\ndef");
  prepare("", 0);
  QTest::keyClick(c().Text5, Qt::Key_F9);
  QTest::keyClick(c().Text5, Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_EQ(h.modem.sentTexts, (std::vector<std::string>{"tu * e e", "e e"}));
}

TEST_F(TransmitKeys, TypedCharactersGoOutOnlyWhileTransmitting) {
  prepare("", 1);
  type("a");
  QTest::keyClick(c().Text5, Qt::Key_Return);
  QTest::keyClick(c().Text5, Qt::Key_Backspace);
  QTest::keyClick(c().Text5, Qt::Key_Delete);
  EXPECT_EQ(h.modem.sentTexts, (std::vector<std::string>{"a", "\r", "\b"}));
  EXPECT_EQ(box(), "a");

  // After a Morse sign-off nothing typed is sent until the transmitter is
  // reported off, which empties the box.
  QTest::keyClick(c().Text5, Qt::Key_F9);
  h.modem.sentTexts.clear();
  type("x");
  EXPECT_TRUE(h.modem.sentTexts.empty());
  notify(h, kMsgTransmitState, 0);
  EXPECT_EQ(box(), "");

  // F11 keys; typing goes out once the modem reports the transmitter on.
  type("y");
  QTest::keyClick(c().Text5, Qt::Key_F11);
  h.modem.sentTexts.clear();
  type("z");
  notify(h, kMsgTransmitState, 1);
  type("w");
  EXPECT_EQ(h.modem.sentTexts, std::vector<std::string>{"w"});
  EXPECT_EQ(box(), "yzw");
}

TEST_F(TransmitKeys, KanjiTypedWhileTransmittingGoesOutAsItsTwoCodePageBytes) {
  setenv("QUILLARY_CODEPAGE", "932", 1);
  prepare("", 1);
  // A key without a key code of its own, as a Japanese keyboard gives it.
  QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("お"));
  QApplication::sendEvent(c().Text5, &press);
  QInputMethodEvent composed;
  composed.setCommitString(QString::fromUtf8("早"));
  QApplication::sendEvent(c().Text5, &composed);
  setenv("QUILLARY_CODEPAGE", "1252", 1);
  EXPECT_EQ(h.modem.sentTexts,
            (std::vector<std::string>{toCodePage("お", CodePage::Cp932), toCodePage("早", CodePage::Cp932)}));
  EXPECT_EQ(box(), QString::fromUtf8("お早"));
}

TEST_F(TransmitKeys, RightButtonPastesTheTrimmedClipboardAndDoubleClickEmptiesBoxAndQueue) {
  // Lines copied here end with LF alone; they go out with CR LF.
  QApplication::clipboard()->setText(" two\nlines ");
  prepare("abc", 0);
  h.dialogs.answers = {Dialogs::Answer::No, Dialogs::Answer::Yes, Dialogs::Answer::Yes};
  QTest::mouseClick(c().Text5->viewport(), Qt::RightButton);
  QTest::mouseClick(c().Text5->viewport(), Qt::RightButton);
  h.state().transmitState = 1;
  QTest::mouseClick(c().Text5->viewport(), Qt::RightButton);
  EXPECT_EQ(box(), "abctwo\r\nlinestwo\r\nlines");
  EXPECT_EQ(h.modem.sentTexts, std::vector<std::string>{"two\r\nlines"});

  h.modem.clearCalls();
  QTest::mouseDClick(c().Text5->viewport(), Qt::LeftButton);
  EXPECT_EQ(box(), "");
  EXPECT_EQ(transmitCalls(), Calls{"fnClearTXBuffer()"});
  EXPECT_EQ(h.state().transmitState, 1);
}

}  // namespace
}  // namespace quillary::testing

// The transmit box and its keys, the buttons beside it ("Tune",
// "ABORT(F12)", the preset), and the expansion of macro tokens.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>

#include "common/CodePage.h"
#include "support/Form1Harness.h"
#include "transmit/MacroExpansion.h"
#include "window/FrequencyScrollBar.h"

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
  const char* sent = "";  // found in the first text sent
};

const Calls kKeyAndSend{"fnSetTXFrequency(1500)", "fnStartTX(9)", "fnSendTXString()"};
const Calls kKeySendStop{"fnSetTXFrequency(1500)", "fnStartTX(9)", "fnSendTXString()", "fnStopTX()"};
const Calls kSendStop{"fnSendTXString()", "fnStopTX()"};
const Calls kSignOff{"fnSetCWIDString()", "fnStartTX(4)", "fnStopTX()"};

TEST_F(TransmitKeys, EveryRowOfTheKeyMapInTheStatesItReadsOrWrites) {
  const Qt::KeyboardModifiers none = Qt::NoModifier;
  const KeyRow rows[] = {
      {Qt::Key_F1, none, 0, kKeySendStop, 0, "\r\n***** HYBRID COMMAND *****\r\n:N0CALL/HYBRID\r\n"},
      {Qt::Key_F2, none, 0, kKeySendStop, 0, "\r\n***** PHOTO COMMAND *****\r\n:N0CALL/PHOTO\r\n"},
      {Qt::Key_F3, none, 0, kKeySendStop, 0, "\r\n***** HTML COMMAND *****\r\n"},  // the HTML button would set 1
      {Qt::Key_F4, none, 0, kKeySendStop, 0, "\r\nALL de N0CALL\r\nGOOD COPY SNR=-10dB\r\n"},
      {Qt::Key_F5, none, 0, kKeyAndSend, 1, "\r\nALL de N0CALL\r\nabc"},
      {Qt::Key_F6, none, 0, kSendStop, 0, "\r\nALL de N0CALL pse k k k\r\n"},
      {Qt::Key_F7, none, 0, kSendStop, 0, "\r\nALL de N0CALL  73 TU sk sk\r\n"},
      {Qt::Key_F8, none, 0, kKeySendStop, 1, "\r\nCQ CQ CQ Picture de N0CALL N0CALL\r\n"},
      // Macros: 2 keys and unkeys, 6 has no token, 7 only keys.
      {Qt::Key_F2, Qt::ShiftModifier, 0, kKeySendStop, 0, "  two "},
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
    if (*row.sent) {
      ASSERT_FALSE(h.modem.sentTexts.empty()) << where;
      EXPECT_TRUE(h.modem.sentTexts[0].starts_with(row.sent)) << where << ": " << h.modem.sentTexts[0];
    }
  }
  EXPECT_TRUE(h.dialogs.shown.empty());
}

// The keyboard forms: F7 appends to the box, F8 replaces it, both with the
// caret at the end; F11 sends the type-ahead and leaves it; F12 leaves it too.
TEST_F(TransmitKeys, WhatTheKeysLeaveInTheBoxAndTheTextsOfF11AndTheMorseKeys) {
  const auto boxAfter = [this](Qt::Key key) {
    prepare("abc", 0);
    QTest::keyClick(c().Text5, key);
    EXPECT_EQ(caret(), c().Text5->document()->characterCount() - 1) << QKeySequence(key).toString().toStdString();
    return box().toStdString();
  };
  EXPECT_EQ(boxAfter(Qt::Key_F7), "abc\r\nALL de N0CALL  73 TU sk sk\r\n");
  const std::string cq = boxAfter(Qt::Key_F8);
  EXPECT_EQ(cq, h.modem.sentTexts.at(0));
  EXPECT_EQ(boxAfter(Qt::Key_F12), "abc");
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

// Without an own call every key in the box only asks for it; a character
// typed while transmitting still goes out, and into the box.
TEST_F(TransmitKeys, WithoutAnOwnCallKeysOnlyAskForItButTypingStillGoesOut) {
  prepare("", 1);
  retype(c().Text4, "");
  QTest::keyClick(c().Text5, Qt::Key_F2);
  QTest::keyClick(c().Text5, Qt::Key_F12);
  type("x");
  EXPECT_EQ(h.dialogs.texts(), QStringList(3, "Input your call sign"));
  EXPECT_EQ(transmitCalls(), Calls{"fnSendTXString()"});
  EXPECT_EQ(h.modem.sentTexts, std::vector<std::string>{"x"});
  EXPECT_EQ(box(), "x");
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

using TransmitControlsTest = TransmitPanelTest;

TEST_F(TransmitControlsTest, TuneKeysTheCarrierUntilReportedOnAndAbortDropsItAndTheTyping) {
  QTest::keyClicks(c().Text5, "typed");
  click(c().Command6);
  click(c().Command6);  // before the modem's report: keys again
  notify(h, kMsgTransmitState, 1);
  click(c().Command6);
  EXPECT_EQ(transmitCalls(), (Calls{"fnSetCWIDString()", "fnStartTX(4)", "fnSetCWIDString()",
                                    "fnStartTX(4)", "fnAbortTX()"}));
  EXPECT_EQ(h.modem.sentTexts, (std::vector<std::string>{"de  k", "de  k"}));
  EXPECT_EQ(box(), "typed");

  h.modem.clearCalls();
  click(c().Command5);  // "ABORT(F12)"
  EXPECT_EQ(transmitCalls(), Calls{"fnAbortTX()"});
  EXPECT_EQ(box(), "");
  EXPECT_EQ(h.state().transmitState, 1);
  EXPECT_TRUE(focusOnBox());
}

TEST_F(TransmitControlsTest, PresetButtonReturnsReceiverAndBothBoxesToThePresetChosen) {
  pickItem(c().Combo6, "1400");
  clickScrollBarPart(*c().VScroll1, QStyle::SC_ScrollBarAddLine);
  retype(c().txtTX, "1720");
  h.modem.clearCalls();
  click(c().Command23);
  EXPECT_EQ(c().Command23->text(), "1400Hz");
  EXPECT_EQ(transmitCalls(), Calls{"fnSetRXFrequency(1400,0,0)"});
  EXPECT_EQ(c().txtRec->text() + "/" + c().txtTX->text(), "1400/1400");
}

struct Case {
  const char* before;
  const char* after;
  bool transmit, receive;
};

const MacroValues kValues{"MYCALL", "HISCALL", "OPNAME", "Good Evening"};

void expectExpansions(const std::vector<Case>& cases, const MacroValues& values) {
  for (const Case& c : cases) {
    const ExpandedMacro got = expandMacro(QString::fromUtf8(c.before), values);
    EXPECT_EQ(got.text.toStdString(), c.after) << "from: " << c.before;
    EXPECT_EQ(got.transmit, c.transmit) << "from: " << c.before;
    EXPECT_EQ(got.receive, c.receive) << "from: " << c.before;
  }
}

TEST(MacroExpansion, WorkedExamplesAndTheCutRules) {
  expectExpansions(
      {
          {"<HIS> de <MY> pse kn ", " HISCALL de  MYCALL pse kn ", false, false},
          {"de <my> k\r\n", "de  MYCALL k\r\n", false, false},
          {"<GM> <OM>\r\n", " Good Evening  OPNAME \n", false, false},
          {"<TX>\r\nSend This TEXT and receive\r\n<RX>\r\n", "  \nSend This TEXT and receive\r\n ",
           true, true},
          {"<MY><MY>", " MYCALL MY>", false, false},
          {"no tokens, Kept As It Is\r\n", "no tokens, Kept As It Is\r\n", false, false},
          {"<Tx>", "  ", true, false},
          {"a <tX> b\r\n", "a   b\r\n", true, false},
          {"<MY> <RX> x", " MYCALL  ", false, true},
          {"<RX> <MY> x", " ", false, true},
          {"a<TX>b<TX>c\r\n", "a    \r\n", true, false},
          // A token at the very end leaves one blank as its tail.
          {"de <MY>", "de  MYCALL ", false, false},
          {"<HiS>", " HISCALL ", false, false},
      },
      kValues);
}

TEST(MacroExpansion, ValuesHoldingTokensAndEmptyValues) {
  // A later pass expands a value that holds its token; a value holding its
  // own token is inserted once and the expansion ends.
  expectExpansions({{"<HIS>:<OM>\r\n", " HISCALL   HISCALL \n", false, false}},
                   {"MYCALL", "HISCALL", "<HIS>", ""});
  expectExpansions({{"<MY> de <MY>\r\n", " <my> de  <my> \n", false, false},
                    {"<OM>!", " <OM> ", false, false}},
                   {"<my>", "", "<OM>", ""});
  expectExpansions({{"<GM> <OM> <HIS>\r\n", "      \n", false, false}}, {});
}

// The greeting is the one chosen by its exact code.
TEST(MacroExpansion, TheWindowExpandsWithTheBoxesAndTheChosenGreeting) {
  Form1Harness h;
  h.load();
  Form1Controls& c = h.controls();
  QTest::keyClicks(c.Text4, "JA1ABC");
  typeInto(c.Combo8, "gmj");
  h.state().sendText = "<GM> <OM>/<HIS>/<MY>\r\n";
  Insert_Send(h.form().context());
  // His name is still empty after start-up, though the name box shows OM.
  EXPECT_EQ(h.state().sendText, " お早うございます。    ALL  JA1ABC \n");
  EXPECT_EQ(greetingFor("GA"), "Good Afternoon");
  for (const char* code : {"ga", "Good Morning"}) EXPECT_EQ(greetingFor(code), "") << code;
}

}  // namespace
}  // namespace quillary::testing

// The picture-QSO buttons against the recording modem: the exact bytes of
// each text, the order of the calls, the transmit box and its caret.
#include "picture/PictureActions.h"
#include "support/TransmitPanelTest.h"

namespace quillary::testing {
namespace {

using PictureActionsTest = TransmitPanelTest;

QPushButton* buttonOf(Form1Controls& c, PictureAction action) {
  return action == PictureAction::Cq ? c.Command4_10 : c.Command4[static_cast<int>(action)];
}

const Calls kKeyedAndStopped = {"fnSetTXFrequency(1500)", "fnStartTX(9)", "fnSendTXString()", "fnStopTX()"};

TEST_F(PictureActionsTest, CommandTransmissionsSendTheirTextsAndReplaceTheTyping) {
  struct Case {
    const char* own;
    const char* other;
    PictureAction action;
    const char* text;
    int16_t stateAfter;
  };
  const Case cases[] = {
      {"N0CALL7", "ALL", PictureAction::Hybrid,
       "\r\n***** HYBRID COMMAND *****\r\n:N0CALL/HYBRID\r\n:N0CALL/HYBRID\r\nALL de N0CALL7 pse k k k\r\n", 0},
      {"N0CALL7", "ALL", PictureAction::Photo,
       "\r\n***** PHOTO COMMAND *****\r\n:N0CALL7/PHOTO\r\n:N0CALL7/PHOTO\r\nALL de N0CALL7 pse k k k\r\n", 0},
      {"N0CALL12", "ALL", PictureAction::Hybrid,
       "\r\n***** HYBRID COMMAND *****\r\n:N0CALL1/HYBRID\r\n:N0CALL1/HYBRID\r\nALL de N0CALL12 pse k k k\r\n", 0},
      {"7", "ALL", PictureAction::Hybrid,
       "\r\n***** HYBRID COMMAND *****\r\n:/HYBRID\r\n:/HYBRID\r\nALL de 7 pse k k k\r\n", 0},
      {"N0CALL", "", PictureAction::Html,
       "\r\n***** HTML COMMAND *****\r\n:N0CALL/HTML\r\n:N0CALL/HTML\r\n de N0CALL pse k k k\r\n", 1},
      {"N0CALL", "ALL", PictureAction::Photo,
       "\r\n***** PHOTO COMMAND *****\r\n:N0CALL/PHOTO\r\n:N0CALL/PHOTO\r\nALL de N0CALL pse k k k\r\n", 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.own) + " " + buttonOf(c(), k.action)->text().toStdString());
    h.modem.clearCalls();
    h.modem.sentTexts.clear();
    h.state().transmitState = 0;
    c().Text4->setText(k.own);
    c().Text27->setText(k.other);
    c().Text5->setPlainText("typed ahead");
    click(buttonOf(c(), k.action));
    EXPECT_EQ(transmitCalls(), kKeyedAndStopped);
    EXPECT_EQ(h.modem.sentTexts, std::vector<std::string>{k.text});
    EXPECT_EQ(box(), QString::fromLatin1(k.text));
    EXPECT_EQ(caret(), c().Text5->document()->characterCount() - 1);
    EXPECT_EQ(h.state().transmitState, k.stateAfter);
    EXPECT_TRUE(focusOnBox());
  }
}

TEST_F(PictureActionsTest, GoodCopyReportsTheBestImdReadingOrMinusTen) {
  c().Text27->setText("JA1XYZ");
  click(c().Command4[3]);
  notify(h, kMsgImdReading, 12);
  click(c().Command4[3]);
  notify(h, kMsgImdReading, 0);
  click(c().Command4[3]);
  const char* head = "\r\nJA1XYZ de N0CALL\r\nGOOD COPY SNR=";
  const char* tail = "dB\r\nJA1XYZ de N0CALL pse k k k\r\n";
  EXPECT_EQ(h.modem.sentTexts, (std::vector<std::string>{std::string(head) + "-10" + tail,
                                                          std::string(head) + " 12" + tail,
                                                          std::string(head) + " 0" + tail}));
  EXPECT_EQ(transmitCalls().size(), 3 * kKeyedAndStopped.size());
}

TEST_F(PictureActionsTest, TxOpensTheOverWithTheTypingAndLeavesTheTransmitterOn) {
  click(c().Command4[4]);
  EXPECT_EQ(box(), "\r\nALL de N0CALL\r\n");
  EXPECT_EQ(h.state().transmitState, 1);
  notify(h, kMsgTransmitState, 1);
  notify(h, kMsgTransmitState, 0);  // the over ended; the box is empty again
  QTest::keyClicks(c().Text5, "first over");
  QTest::keyClick(c().Text5, Qt::Key_Return);
  QTest::keyClicks(c().Text5, "and more");
  click(c().Command4[4]);
  EXPECT_EQ(transmitCalls(), (Calls{"fnSetTXFrequency(1500)", "fnStartTX(9)", "fnSendTXString()",
                                    "fnSetTXFrequency(1500)", "fnStartTX(9)", "fnSendTXString()"}));
  const QString second = "\r\nALL de N0CALL\r\nfirst over\r\nand more";
  EXPECT_EQ(h.modem.sentTexts,
            (std::vector<std::string>{"\r\nALL de N0CALL\r\n", second.toStdString()}));
  EXPECT_EQ(box(), second);
  EXPECT_EQ(caret(), c().Text5->document()->characterCount() - 1);
  EXPECT_EQ(h.state().transmitState, 1);
}

TEST_F(PictureActionsTest, RxKeepsTheTypingBeforeItsLine73DropsIt) {
  QTest::keyClicks(c().Text5, "typed");
  click(c().Command4[5]);
  EXPECT_EQ(box(), "typed\r\nALL de N0CALL pse k k k\r\n");
  click(c().Command4[6]);
  EXPECT_EQ(box(), "\r\nALL de N0CALL 73 tu sk sk\r\n");
  EXPECT_EQ(h.modem.sentTexts, (std::vector<std::string>{"\r\nALL de N0CALL pse k k k\r\n",
                                                          "\r\nALL de N0CALL 73 tu sk sk\r\n"}));
  // Neither keys the transmitter: they end an over that is running.
  EXPECT_EQ(transmitCalls(), (Calls{"fnSendTXString()", "fnStopTX()", "fnSendTXString()", "fnStopTX()"}));
  EXPECT_EQ(h.state().transmitState, 0);
}

TEST_F(PictureActionsTest, CqTwiceLeavesBothCallsWithTheCaretAtTheStart) {
  click(c().Command4_10);
  click(c().Command4_10);
  const QString cq =
      "\r\nCQ CQ CQ Picture de N0CALL N0CALL\r\nCQ CQ CQ Picture de N0CALL N0CALL\r\nN0CALL CQ pse k k k\r\n";
  EXPECT_EQ(box(), cq + cq);
  EXPECT_EQ(caret(), 0);
  EXPECT_EQ(h.modem.sentTexts, (std::vector<std::string>{cq.toStdString(), cq.toStdString()}));
  Calls twice = kKeyedAndStopped;
  twice.insert(twice.end(), kKeyedAndStopped.begin(), kKeyedAndStopped.end());
  EXPECT_EQ(transmitCalls(), twice);
  EXPECT_EQ(h.state().transmitState, 1);
}

TEST_F(PictureActionsTest, KeyboardFormsOfHtml73AndCq) {
  c().Text5->setPlainText("typed");
  runPictureAction(h.form().context(), PictureAction::Html, ActionSource::Key);
  EXPECT_EQ(h.state().transmitState, 0);
  c().Text5->setPlainText("typed");
  runPictureAction(h.form().context(), PictureAction::SeventyThree, ActionSource::Key);
  EXPECT_EQ(box(), "typed\r\nALL de N0CALL  73 TU sk sk\r\n");
  runPictureAction(h.form().context(), PictureAction::Cq, ActionSource::Key);
  EXPECT_TRUE(box().startsWith("\r\nCQ CQ CQ Picture de N0CALL"));
  EXPECT_EQ(caret(), c().Text5->document()->characterCount() - 1);
  EXPECT_EQ(h.state().transmitState, 1);
}

TEST_F(PictureActionsTest, NothingIsSentWithoutAnOwnCallOrWithoutAFrequency) {
  c().Text4->clear();
  c().Text5->setPlainText("typed");
  for (QPushButton* button : c().Command4) click(button);
  click(c().Command4_10);
  EXPECT_TRUE(transmitCalls().empty());
  EXPECT_EQ(h.dialogs.texts(), QStringList(8, "Input your call sign"));
  EXPECT_EQ(box(), "typed");

  // A transmit frequency box without a number keeps the modem's frequency.
  c().Text4->setText("N0CALL");
  c().txtTX->setText("fifteen");
  click(c().Command4[1]);
  EXPECT_EQ(transmitCalls(), (Calls{"fnStartTX(9)", "fnSendTXString()", "fnStopTX()"}));
}

}  // namespace
}  // namespace quillary::testing

// The picture-QSO buttons: the texts, calls and box of each.


#include "picture/PictureActions.h"
#include "support/Form1Harness.h"

namespace quillary::testing {
namespace {

class PictureActionsTest : public TransmitPanelTest {
 protected:
  void typeIntoBox(const char* text) {
    QTest::mouseDClick(c().Text5->viewport(), Qt::LeftButton);  // empties box and queue
    QTest::keyClicks(c().Text5, text);
  }
};

const Calls kKeyedAndStopped = {"fnSetTXFrequency(1500)", "fnStartTX(9)", "fnSendTXString()", "fnStopTX()"};
const Calls kSentAndStopped = {"fnSendTXString()", "fnStopTX()"};

TEST_F(PictureActionsTest, EachButtonSendsItsTextWithItsCallsAndLeavesTheBoxAndState) {
  struct Case {
    const char* own;
    const char* other;
    int button;  // element of Command4
    const char* sent;
    const char* box;  // nullptr: the text sent replaces the typing
    const Calls& calls;
    int16_t stateAfter;
  };
  const Case cases[] = {
      // HYBRID's command line carries the own call without its last character.
      {"N0CALL12", "ALL", 0,
       "\r\n***** HYBRID COMMAND *****\r\n:N0CALL1/HYBRID\r\n:N0CALL1/HYBRID\r\nALL de N0CALL12 pse k k k\r\n", nullptr,
       kKeyedAndStopped, 0},
      {"N0CALL7", "ALL", 1,
       "\r\n***** PHOTO COMMAND *****\r\n:N0CALL7/PHOTO\r\n:N0CALL7/PHOTO\r\nALL de N0CALL7 pse k k k\r\n", nullptr,
       kKeyedAndStopped, 0},
      {"N0CALL", "", 2, "\r\n***** HTML COMMAND *****\r\n:N0CALL/HTML\r\n:N0CALL/HTML\r\n de N0CALL pse k k k\r\n",
       nullptr, kKeyedAndStopped, 1},
      {"N0CALL", "JA1XYZ", 3,
       "\r\nJA1XYZ de N0CALL\r\nGOOD COPY SNR=-10dB\r\nJA1XYZ de N0CALL pse k k k\r\n", nullptr, kKeyedAndStopped, 0},
      // RX and 73 end an over that is running: neither keys the transmitter.
      {"N0CALL", "ALL", 5, "\r\nALL de N0CALL pse k k k\r\n", "typed\r\nALL de N0CALL pse k k k\r\n",
       kSentAndStopped, 0},
      {"N0CALL", "ALL", 6, "\r\nALL de N0CALL 73 tu sk sk\r\n", nullptr, kSentAndStopped, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(c().Command4[k.button]->text().toStdString() + " for " + k.own);
    retype(c().Text4, k.own);
    retype(c().Text27, k.other);
    typeIntoBox("typed");
    h.modem.clearCalls();
    h.modem.sentTexts.clear();
    h.state().transmitState = 0;
    click(c().Command4[k.button]);
    EXPECT_EQ(transmitCalls(), k.calls);
    EXPECT_EQ(h.modem.sentTexts, std::vector<std::string>{k.sent});
    EXPECT_EQ(box(), QString::fromLatin1(k.box ? k.box : k.sent));
    EXPECT_EQ(caret(), c().Text5->document()->characterCount() - 1);
    EXPECT_EQ(h.state().transmitState, k.stateAfter);
  }
  // The report names the best IMD reading, padded as a signed number.
  notify(h, kMsgImdReading, 12);
  click(c().Command4[3]);
  EXPECT_NE(h.modem.sentTexts.back().find("SNR= 12dB"), std::string::npos);
}

TEST_F(PictureActionsTest, TxOpensTheOverWithTheTypingAndLeavesTheTransmitterOn) {
  click(c().Command4[4]);
  EXPECT_EQ(box(), "\r\nALL de N0CALL\r\n");
  notify(h, kMsgTransmitState, 1);
  notify(h, kMsgTransmitState, 0);  // the over ended; the box is empty again
  QTest::keyClicks(c().Text5, "first over");
  QTest::keyClick(c().Text5, Qt::Key_Return);
  QTest::keyClicks(c().Text5, "and more");
  click(c().Command4[4]);
  EXPECT_EQ(transmitCalls(), (Calls{"fnSetTXFrequency(1500)", "fnStartTX(9)", "fnSendTXString()",
                                    "fnSetTXFrequency(1500)", "fnStartTX(9)", "fnSendTXString()"}));
  const std::string second = "\r\nALL de N0CALL\r\nfirst over\r\nand more";
  EXPECT_EQ(h.modem.sentTexts, (std::vector<std::string>{"\r\nALL de N0CALL\r\n", second}));
  EXPECT_EQ(box(), QString::fromStdString(second));
  EXPECT_EQ(h.state().transmitState, 1);
}

TEST_F(PictureActionsTest, CqTwiceLeavesBothCallsWithTheCaretAtTheStart) {
  click(c().Command4_10);
  click(c().Command4_10);
  const std::string cq =
      "\r\nCQ CQ CQ Picture de N0CALL N0CALL\r\nCQ CQ CQ Picture de N0CALL N0CALL\r\nN0CALL CQ pse k k k\r\n";
  EXPECT_EQ(box().toStdString(), cq + cq);
  EXPECT_EQ(caret(), 0);
  EXPECT_EQ(h.modem.sentTexts, (std::vector<std::string>{cq, cq}));
  EXPECT_EQ(h.state().transmitState, 1);
}

TEST_F(PictureActionsTest, NothingIsSentWithoutAnOwnCallOrWithoutAFrequency) {
  typeIntoBox("typed");
  retype(c().Text4, "");
  h.modem.clearCalls();
  for (QPushButton* button : c().Command4) click(button);
  click(c().Command4_10);
  EXPECT_TRUE(transmitCalls().empty());
  EXPECT_EQ(h.dialogs.texts(), QStringList(8, "Input your call sign"));
  EXPECT_EQ(box(), "typed");

  // A transmit frequency box without a number keeps the modem's frequency.
  retype(c().Text4, "N0CALL");
  retype(c().txtTX, "fifteen");
  click(c().Command4[1]);
  EXPECT_EQ(transmitCalls(), (Calls{"fnStartTX(9)", "fnSendTXString()", "fnStopTX()"}));
}

}  // namespace
}  // namespace quillary::testing

#include "support/Form1Harness.h"

namespace quillary::testing {
namespace {

class MacroSend : public TransmitPanelTest {
 protected:
  void SetUp() override {
    writeBytes(h.file("cmd1.txt"), "M1\r\n<TX>\r\nSend This TEXT and receive\r\n<RX>\r\n");
    writeBytes(h.file("cmd2.txt"), "M2\r\nplain words\r\n");
    writeBytes(h.file("cmd3.txt"), "M3\r\n<TX> keyed\r\n");
    TransmitPanelTest::SetUp();
  }
};

struct Case {
  int element;
  int16_t transmitState;
  const char* typedAhead;
  const char* box;
  Calls calls;
  std::vector<std::string> sent;
};

TEST_F(MacroSend, EachTransmitStateWithAndWithoutTypeAhead) {
  const Calls keyed{"fnSetTXFrequency(1500)", "fnStartTX(9)", "fnSendTXString()", "fnStopTX()"};
  const Case cases[] = {
      {0, 0, "abc", "  \r\nSend This TEXT and receive\r\n abc", keyed, {"  \nSend This TEXT and receive\r\n abc"}},
      // Without "<TX>" the menu only replaces the type-ahead; F11 sends it later.
      {1, 0, "abc", "plain words\r\n", {}, {}},
      {1, 1, "", "plain words\r\n", {"fnSendTXString()"}, {"plain words\r\n"}},
      // "<TX>" while transmitting queues the text twice and keys again.
      {2, 1, "abc", "  keyed\r\n",
       {"fnSendTXString()", "fnSetTXFrequency(1500)", "fnStartTX(9)", "fnSendTXString()"},
       {"  keyed\r\n", "  keyed\r\n"}},
      // A menu never stored empties the box and sends nothing.
      {3, 0, "abc", "", {}, {}},
  };
  for (const Case& test : cases) {
    c().Text5->clear();
    QTest::keyClicks(c().Text5, test.typedAhead);
    h.state().transmitState = test.transmitState;
    h.modem.clearCalls();
    h.modem.sentTexts.clear();
    QTest::mouseClick(c().Command9[test.element], Qt::LeftButton);
    SCOPED_TRACE("button " + std::to_string(test.element) + " in state " + std::to_string(test.transmitState) +
                 " after '" + test.typedAhead + "'");
    EXPECT_EQ(transmitBoxText(*c().Text5).toStdString(), test.box);
    EXPECT_EQ(h.modem.calls(), test.calls);
    EXPECT_EQ(h.modem.sentTexts, test.sent);
    EXPECT_EQ(h.state().transmitState, test.transmitState);  // the button leaves the state alone
  }
  EXPECT_TRUE(h.dialogs.shown.empty());
}

}  // namespace
}  // namespace quillary::testing

#include "support/TransmitPanelTest.h"

namespace quillary::testing {
namespace {

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

}  // namespace
}  // namespace quillary::testing

// "Tune", "ABORT(F12)" and the preset button against the recording modem.
#include <QComboBox>

#include "support/ScrollBarParts.h"
#include "support/TransmitPanelTest.h"
#include "window/FrequencyScrollBar.h"

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

}  // namespace
}  // namespace quillary::testing

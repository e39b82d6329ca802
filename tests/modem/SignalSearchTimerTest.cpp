// The signal search on the real window: "Search" starts the timer from the
// preset 1400 with half-width 100, each tick hunts and holds against the
// recording modem with a squelch threshold of 40.
#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include "display/PictureBox.h"
#include "modem/HookTestSupport.h"

namespace quillary::testing {
namespace {

class SignalSearchTimerTest : public LoadedWindowTest {
 protected:
  void SetUp() override {
    h.load();
    choose(*c().Combo6, "1400");
    choose(*c().Combo4, "100");
    c().VScroll3->setValue(99 - 40);
    c().ckTXAFC->click();
    c().Check2->click();
    h.modem.clearCalls();
  }
};

TEST_F(SignalSearchTimerTest, HuntsWithinTheWindowHoldsAboveTheThresholdAndFreezesWhenOff) {
  EXPECT_EQ(c().txtRec->text(), "1400");
  EXPECT_FALSE(c().ckTXAFC->isChecked());
  // A peak at the low edge is not taken; a level at the threshold finds nothing.
  h.modem.answerOnce("fnGetClosestPeak", {1300, 1450});
  h.modem.answerOnce("fnGetSignalLevel", {40, 40});
  tick(*c().Timer1);
  tick(*c().Timer1);
  EXPECT_EQ(h.modem.calls(), (Calls{"fnGetClosestPeak(1300,1500)", "fnGetSignalLevel(0)",
                                    "fnGetClosestPeak(1300,1500)", "fnSetRXFrequency(1450,0,0)",
                                    "fnGetSignalLevel(0)"}));
  EXPECT_EQ(h.state().searchState, 2);
  EXPECT_FALSE(c().Picture4[0]->isVisible());

  // Held above the threshold and at it, without retuning; hunting again below.
  h.modem.answer("fnGetClosestPeak", 1420);
  h.modem.answerOnce("fnGetSignalLevel", {41, 90, 40, 39, 80});
  tick(*c().Timer1);
  EXPECT_TRUE(c().Picture4[0]->isVisible());
  h.modem.clearCalls();
  tick(*c().Timer1);
  tick(*c().Timer1);
  EXPECT_TRUE(h.modem.callsOf("fnSetRXFrequency").empty());
  EXPECT_EQ(h.state().searchState, 1);
  tick(*c().Timer1);
  EXPECT_EQ(h.state().searchState, 2);
  EXPECT_FALSE(c().Picture4[0]->isVisible());
  tick(*c().Timer1);
  QTest::mouseClick(c().Check2, Qt::LeftButton);
  EXPECT_FALSE(c().Timer1->isActive());
  EXPECT_EQ(h.state().searchState, 1);
  EXPECT_TRUE(c().Picture4[0]->isVisible());
}

TEST_F(SignalSearchTimerTest, NoHalfWidthNoSearch) {
  c().Combo4->setEditText("wide");
  tick(*c().Timer1);
  EXPECT_TRUE(h.modem.calls().empty());
}

}  // namespace
}  // namespace quillary::testing

// The signal search on the real window: "Search" starts the timer from the
// preset, each tick hunts and holds against the recording modem.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <gtest/gtest.h>

#include "display/PictureBox.h"
#include "modem/HookTestSupport.h"

namespace quillary::testing {
namespace {

using Calls = std::vector<std::string>;

class SignalSearchTimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.load();
    choose(*c().Combo6, "1400");
    choose(*c().Combo4, "100");
    c().VScroll3->setValue(99 - 40);  // squelch threshold 40
    c().ckTXAFC->click();
    c().Check2->click();
    h.modem.clearCalls();
  }
  Form1Controls& c() { return h.controls(); }

  Form1Harness h;
};

TEST_F(SignalSearchTimerTest, SearchStartsHuntingFromThePreset) {
  EXPECT_TRUE(c().Timer1->isActive());
  EXPECT_EQ(c().txtRec->text(), "1400");
  EXPECT_EQ(c().txtTX->text(), "1400");
  EXPECT_FALSE(c().ckTXAFC->isChecked());
  EXPECT_EQ(h.state().searchState, 2);
  EXPECT_TRUE(h.modem.calls().empty());  // the receiver is left to the first tick
}

TEST_F(SignalSearchTimerTest, PeakAtTheLowEdgeDoesNotRetuneLevelAtThresholdHolds) {
  h.modem.answerOnce("fnGetClosestPeak", {1300, 1450});
  h.modem.answer("fnGetSignalLevel", 40);
  tick(*c().Timer1);
  EXPECT_EQ(h.modem.calls(), (Calls{"fnGetClosestPeak(1300,1500)", "fnGetSignalLevel(0)"}));
  EXPECT_EQ(h.state().searchState, 2);
  EXPECT_FALSE(c().Picture4[0]->isVisible());

  h.modem.clearCalls();
  tick(*c().Timer1);
  EXPECT_EQ(h.modem.calls(), (Calls{"fnGetClosestPeak(1300,1500)", "fnSetRXFrequency(1450,0,0)",
                                    "fnGetSignalLevel(0)"}));
}

TEST_F(SignalSearchTimerTest, HoldsAboveTheThresholdAndHuntsAgainBelow) {
  h.modem.answer("fnGetClosestPeak", 1420);
  h.modem.answerOnce("fnGetSignalLevel", {41, 90, 40, 39});
  tick(*c().Timer1);
  EXPECT_EQ(h.state().searchState, 1);
  EXPECT_TRUE(c().Picture4[0]->isVisible());

  h.modem.clearCalls();
  tick(*c().Timer1);  // holding: no retune
  tick(*c().Timer1);  // level at the threshold: still holding
  EXPECT_TRUE(h.modem.callsOf("fnSetRXFrequency").empty());
  EXPECT_EQ(h.state().searchState, 1);

  tick(*c().Timer1);
  EXPECT_EQ(h.state().searchState, 2);
  EXPECT_FALSE(c().Picture4[0]->isVisible());
}

TEST_F(SignalSearchTimerTest, SwitchingOffFreezesTheState) {
  h.modem.answer("fnGetSignalLevel", 80);
  tick(*c().Timer1);
  c().Check2->click();
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

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include "link/HookTestSupport.h"
#include "link/SignalSearch.h"
#include "window/PictureBox.h"

namespace quillary::testing {
namespace {

class SignalSearchTimerTest : public LoadedWindowTest {
 protected:
  void SetUp() override {
    h.load();
    pickItem(c().Combo6, "1400");
    typeInto(c().Combo4, "120");  // typed, not in the list
    for (int step = 0; step < 4; ++step) QTest::keyClick(c().VScroll3, Qt::Key_PageUp);  // threshold 40
    QTest::mouseClick(c().ckTXAFC, Qt::LeftButton);
    QTest::mouseClick(c().Check2, Qt::LeftButton);
    h.modem.clearCalls();
  }
};

TEST_F(SignalSearchTimerTest, HuntsWithinTheWindowHoldsAboveTheThresholdAndStopsWhenOff) {
  // A peak at the low edge is not taken; a level at the threshold finds nothing.
  h.modem.answerOnce("fnGetClosestPeak", {1280, 1450});
  h.modem.answerOnce("fnGetSignalLevel", {40, 40});
  tick(*c().Timer1);
  tick(*c().Timer1);
  EXPECT_EQ(h.modem.calls(), (Calls{"fnGetClosestPeak(1280,1520)", "fnGetSignalLevel(0)",
                                    "fnGetClosestPeak(1280,1520)", "fnSetRXFrequency(1450,0,0)",
                                    "fnGetSignalLevel(0)"}));

  // Held above the threshold and at it without retuning; hunting again below.
  h.modem.answer("fnGetClosestPeak", 1420);
  h.modem.answerOnce("fnGetSignalLevel", {41, 90, 40, 39});
  tick(*c().Timer1);
  h.modem.clearCalls();
  tick(*c().Timer1);
  tick(*c().Timer1);
  EXPECT_TRUE(h.modem.callsOf("fnSetRXFrequency").empty());
  EXPECT_TRUE(c().Picture4[0]->isVisible());
  tick(*c().Timer1);
  EXPECT_FALSE(c().Picture4[0]->isVisible());
  QTest::mouseClick(c().Check2, Qt::LeftButton);
  EXPECT_FALSE(c().Timer1->isActive());
}

TEST_F(SignalSearchTimerTest, NoHalfWidthNoSearchAndAHugeOneKeepsTheEdgesInRange) {
  typeInto(c().Combo4, "wide");
  tick(*c().Timer1);
  EXPECT_TRUE(h.modem.calls().empty());
  const SearchWindow wide = searchWindowAround(1600, INT32_MAX);
  EXPECT_EQ(wide.lowHz, 1600 - INT32_MAX);
  EXPECT_EQ(wide.highHz, INT32_MAX);
}

}  // namespace
}  // namespace quillary::testing

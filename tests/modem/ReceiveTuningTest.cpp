#include "modem/ReceiveTuning.h"

#include <gtest/gtest.h>

#include "modem/SignalSearch.h"

namespace quillary {
namespace {

TEST(ReceiveTuning, ModeNamesGiveTheirCodes) {
  EXPECT_EQ(modeCodeForName("BPSK31"), 0);
  EXPECT_EQ(modeCodeForName("QPSK31"), 1);
  EXPECT_EQ(modeCodeForName("BPSK63"), 8);
  EXPECT_EQ(modeCodeForName("QPSK63"), 9);
  EXPECT_EQ(modeCodeForName("BPSK125"), 16);
  EXPECT_EQ(modeCodeForName("QPSK125"), 17);
  for (std::string_view name : kModeNames) EXPECT_TRUE(modeCodeForName(name)) << name;
  EXPECT_FALSE(modeCodeForName("qpsk63"));
  EXPECT_FALSE(modeCodeForName("BPSK31 "));
  EXPECT_FALSE(modeCodeForName(""));
}

TEST(ReceiveTuning, PresetMustMatchItsDigits) {
  EXPECT_EQ(presetForText("1400"), 1400);
  EXPECT_EQ(presetForText("1000"), 1000);
  EXPECT_FALSE(presetForText("1401"));
  EXPECT_FALSE(presetForText(" 1400"));
  EXPECT_FALSE(presetForText("1400Hz"));
  EXPECT_FALSE(presetForText(""));
}

TEST(ReceiveTuning, NumberInTextRefusesWhatIsNoNumber) {
  EXPECT_EQ(numberInText("1500"), 1500);
  EXPECT_EQ(numberInText(" 1500 "), 1500);
  EXPECT_EQ(numberInText("1500.5"), 1500);
  EXPECT_EQ(numberInText("1501.5"), 1502);
  EXPECT_FALSE(numberInText(""));
  EXPECT_FALSE(numberInText("abc"));
  EXPECT_FALSE(numberInText("15OO"));
  EXPECT_FALSE(numberInText("1e12"));
}

TEST(ReceiveTuning, SquelchRunsAgainstTheScrollBar) {
  EXPECT_EQ(squelchForScrollValue(0), 99);
  EXPECT_EQ(squelchForScrollValue(99), 0);
  EXPECT_EQ(squelchForScrollValue(40), 59);
}

TEST(SignalSearch, PeakAtTheLowEdgeDoesNotRetune) {
  const SearchWindow window = searchWindowAround(1400, 100);
  EXPECT_EQ(window.lowHz, 1300);
  EXPECT_EQ(window.highHz, 1500);
  SignalSearch search;
  EXPECT_FALSE(search.retuneFor(1300, window));
  EXPECT_EQ(search.retuneFor(1450, window), 1450);
  EXPECT_EQ(search.retuneFor(1500, window), 1500);
}

TEST(SignalSearch, LevelAtTheThresholdChangesNothing) {
  SignalSearch search;
  EXPECT_EQ(search.takeLevel(40, 40), IndicatorChange::None);
  EXPECT_EQ(search.state(), SearchState::Hunting);
  EXPECT_EQ(search.takeLevel(41, 40), IndicatorChange::Show);
  EXPECT_EQ(search.state(), SearchState::Holding);
  // Holding: no retune, and the threshold level keeps holding.
  EXPECT_FALSE(search.retuneFor(1450, searchWindowAround(1400, 100)));
  EXPECT_EQ(search.takeLevel(40, 40), IndicatorChange::None);
  EXPECT_EQ(search.takeLevel(90, 40), IndicatorChange::None);
  EXPECT_EQ(search.takeLevel(39, 40), IndicatorChange::Hide);
  EXPECT_EQ(search.state(), SearchState::Hunting);
}

TEST(SignalSearch, RestartAlwaysHunts) {
  SignalSearch search;
  search.takeLevel(50, 0);
  ASSERT_EQ(search.state(), SearchState::Holding);
  search.restart();
  EXPECT_EQ(search.state(), SearchState::Hunting);
}

}  // namespace
}  // namespace quillary

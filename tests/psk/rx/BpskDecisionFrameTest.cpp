// The BPSK decisions' frame turns as the carrier does: at once with a
// strong signal's turn, not with the swings of a fade.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "psk/rx/BpskDecisionFrame.h"

namespace quillary::psk::test {
namespace {

// The frame's turn after `symbols` symbols of `power` with the loop at `loopTurn`.
double turnAfter(BpskDecisionFrame& frame, int symbols, double power, double loopTurn) {
  for (int i = 0; i < symbols; ++i) frame.advance(power, loopTurn, true);
  return frame.turnPerSymbol();
}

TEST(BpskDecisionFrame, FollowsAStationAtOnceASteadySignalSoonAndAFadeHardlyAtAll) {
  BpskDecisionFrame frame;
  frame.reset();
  turnAfter(frame, 200, 1e-4, 0.0);  // band noise
  EXPECT_NEAR(turnAfter(frame, 2, 1.0, 0.3), 0.3, 1e-9) << "a station rising out of the noise";
  turnAfter(frame, 400, 1.0, 0.3);
  EXPECT_NEAR(turnAfter(frame, 150, 1.0, 0.1), 0.1, 0.001) << "a steady signal's new turn";

  // Down to a hundredth of its power, where the loop swings either way.
  turnAfter(frame, 8, 0.01, 0.1);
  double widest = 0;
  for (int i = 0; i < 20; ++i)
    widest = std::max(widest, std::abs(turnAfter(frame, 1, 0.01, i % 2 ? 1.0 : -1.0) - 0.1));
  EXPECT_LT(widest, 0.01);
}

TEST(BpskDecisionFrame, TheFrameTurnsOnByItsTurnAndAMoveTakesThatTurnAway) {
  BpskDecisionFrame frame;
  frame.reset();
  double phase = 0;
  for (int i = 0; i < 10; ++i) phase = frame.advance(1.0, 0.25, true);
  EXPECT_NEAR(phase, 2.5, 1e-9);
  frame.moved(0.05);
  EXPECT_NEAR(frame.turnPerSymbol(), 0.2, 1e-9);
  EXPECT_NEAR(std::remainder(frame.advance(0.0, 0.3, false) - phase, 2 * std::numbers::pi), 0.3, 1e-9)
      << "without a carrier there is no strength to weigh the loop's turn by: it is taken as it is";
}

}  // namespace
}  // namespace quillary::psk::test

#include "psk/rx/BpskDecisionFrame.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillary::psk {

namespace {
constexpr double kRecentSmoothing = 1.0 / 4;
constexpr double kMeanSmoothing = 1.0 / 128;
// At the signal's mean strength, the frame's turn takes this share of the
// way to the loop's a symbol; from a little over twice the mean power
// on, all of it.
constexpr double kFollowAtMean = 1.0 / 20;
}  // namespace

void BpskDecisionFrame::reset() {
  phase_ = turn_ = recentPower_ = meanPower_ = 0;
}

double BpskDecisionFrame::advance(double power, double loopTurn, bool carrier) {
  recentPower_ += kRecentSmoothing * (power - recentPower_);
  meanPower_ += kMeanSmoothing * (power - meanPower_);
  double share = 1.0;  // without a carrier, no strength to weigh the turn by
  if (carrier && meanPower_ > 0) share = std::min(1.0, kFollowAtMean * std::pow(recentPower_ / meanPower_, 4));
  turn_ += share * (loopTurn - turn_);
  phase_ = std::remainder(phase_ + turn_, 2 * std::numbers::pi);
  return phase_;
}

}  // namespace quillary::psk

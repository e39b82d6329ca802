#include "psk/rx/FrequencyTracker.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillary::psk {

namespace {
// Pulling harder, right after a move or when steering begins.
constexpr double kQuickGain = 0.12;
// Noise through the matched filter gives decisions this coherent only by
// rare chance.
constexpr int kMinCoherence = 35;
}  // namespace

bool FrequencyTracker::create(double baud, int order, double gain) {
  if (!(baud > 0) || (order != 2 && order != 4) || !(gain > 0 && gain <= 1)) return false;
  baud_ = baud;
  order_ = order;
  gain_ = gain;
  return true;
}

double FrequencyTracker::correction(double phaseError, int coherence) {
  const double gain = quickSymbols_ > 0 ? std::max(kQuickGain, gain_) : gain_;
  if (quickSymbols_ > 0) --quickSymbols_;
  if (coherence < kMinCoherence || !std::isfinite(phaseError)) return 0.0;
  return gain * phaseError * baud_ / (2 * std::numbers::pi);
}

}  // namespace quillary::psk

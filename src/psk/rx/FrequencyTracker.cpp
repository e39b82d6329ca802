#include "psk/rx/FrequencyTracker.h"

#include <cmath>
#include <numbers>

namespace quillary::psk {

namespace {
// A time constant of 25 symbols: slow enough that noise hardly moves the
// frequency, quick enough for a station that drifts a few hertz a minute.
constexpr double kGain = 0.04;
// Pulling harder, right after a move or when steering begins.
constexpr double kQuickGain = 0.12;
// Noise through the matched filter gives decisions this coherent only by
// rare chance.
constexpr int kMinCoherence = 35;
}  // namespace

bool FrequencyTracker::create(double baud, int order) {
  if (!(baud > 0) || (order != 2 && order != 4)) return false;
  baud_ = baud;
  order_ = order;
  return true;
}

double FrequencyTracker::correction(double phaseError, int coherence) {
  const double gain = quickSymbols_ > 0 ? kQuickGain : kGain;
  if (quickSymbols_ > 0) --quickSymbols_;
  if (coherence < kMinCoherence || !std::isfinite(phaseError)) return 0.0;
  return gain * phaseError * baud_ / (2 * std::numbers::pi);
}

}  // namespace quillary::psk

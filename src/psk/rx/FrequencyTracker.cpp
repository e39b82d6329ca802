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
// From there the steering pulls harder as the signal's coherence grows,
// fully from this on: a weak station's phase errors are mostly noise, and
// steps at the full share of them walk the frequency away by hertz over a
// transmission (QPSK125 in white noise at -10 dB, an Eb/N0 of 4 dB: with
// full steps 8.8% of the characters wrong, 3.9% now, 3.8% with AFC off).
constexpr int kFullCoherence = 60;
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
  const double trust = std::min(1.0, static_cast<double>(coherence - kMinCoherence) / (kFullCoherence - kMinCoherence));
  return trust * gain * phaseError * baud_ / (2 * std::numbers::pi);
}

}  // namespace quillary::psk

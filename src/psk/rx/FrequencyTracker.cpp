#include "psk/rx/FrequencyTracker.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillary::psk {

namespace {
constexpr double kCoarseGain = 0.2;
constexpr double kFineGain = 0.04;
// The coarse estimate averages over a quarter second whatever the rate (at
// 125 baud a few symbols would leave it too noisy), and it must stay beyond
// the fine range for a tenth of a second before it steers.
constexpr double kCoarseSeconds = 0.25;
constexpr double kPersistenceSeconds = 0.1;
// A carrier in the wide band: the samples three apart agree to a good part
// of the power. Noise alone averages to zero, give or take 1 / sqrt(n) for
// the n independent samples in the averaging time (the low-pass passes
// 6 baud); the threshold stands 3.5 of those above it, and never above 0.5
// (a clean signal reaches about 0.9).
constexpr double kNoiseMargin = 3.5;
constexpr double kMaxSignalCorrelation = 0.5;
// The fine estimate (and, while tracking, any estimate) needs a signal
// this coherent.
constexpr int kFineQuality = 35;
// A coarse estimate within this fraction of the fine range is centred.
// While acquiring, the wide estimate takes over from half the range on: the
// fine loop alone is slow near the edge of its range, where its decisions
// begin to wrap.
constexpr double kCentred = 0.25;
constexpr double kWideEngage = 0.5;
}  // namespace

bool FrequencyTracker::create(double sampleRate, int samplesPerSymbol, int order) {
  if (!(sampleRate > 0) || samplesPerSymbol < 4 || (order != 2 && order != 4)) return false;
  baud_ = sampleRate / samplesPerSymbol;
  order_ = order;
  wide_.create(sampleRate, kCoarseSeconds);
  narrow_.create(sampleRate, kCoarseSeconds);
  persistence_ = std::max(1, static_cast<int>(std::lround(kPersistenceSeconds * baud_)));
  carrierThreshold_ =
      std::min(kMaxSignalCorrelation, kNoiseMargin / std::sqrt(6.0 * baud_ * kCoarseSeconds));
  reset();
  return true;
}

void FrequencyTracker::reset() {
  wide_.reset();
  narrow_.reset();
  tracking_ = pulling_ = false;
  outside_ = settled_ = 0;
}

void FrequencyTracker::processWide(std::size_t count, const std::complex<float>* wide) {
  wide_.process(count, wide);
}

void FrequencyTracker::processNarrow(std::size_t count, const std::complex<float>* narrow) {
  narrow_.process(count, narrow);
}

void FrequencyTracker::moved(double hz) {
  wide_.moved(hz);
  narrow_.moved(hz);
}

double FrequencyTracker::coarseHz() const { return tracking_ ? narrow_.hz() : wide_.hz(); }

double FrequencyTracker::fineStep(double phaseError) const {
  return kFineGain * phaseError * baud_ / (2 * std::numbers::pi);
}

double FrequencyTracker::correction(double phaseError, int coherence) {
  if (tracking_) {
    // Noise through the matched filter correlates strongly over three
    // samples, so here the coherence of the decisions tells a station.
    return steer(narrow_.hz(), coherence >= kFineQuality, 1.0, phaseError, coherence);
  }
  const double fineRange = baud_ / (2.0 * order_);
  const bool carrier = wide_.correlation() > carrierThreshold_;
  const bool centred = carrier && std::abs(wide_.hz()) < kCentred * fineRange;
  settled_ = centred && coherence >= kFineQuality ? settled_ + 1 : 0;
  if (settled_ >= persistence_) tracking_ = true;
  return steer(wide_.hz(), carrier, kWideEngage, phaseError, coherence);
}

double FrequencyTracker::steer(double coarse, bool carrier, double engage, double phaseError,
                               int coherence) {
  // Beyond the fine estimator's unambiguous range trust the coarse one, until
  // it has pulled well inside (data wobbles the coarse figure a little, so
  // it must not take over at every wobble).
  const double fineRange = baud_ / (2.0 * order_);
  if (!carrier || std::abs(coarse) < kCentred * fineRange) {
    pulling_ = false;
    outside_ = 0;
  } else if (std::abs(coarse) > engage * fineRange) {
    // Noise can throw the estimate out for a moment; an offset stays.
    pulling_ = pulling_ || ++outside_ >= persistence_;
  }
  if (pulling_) return kCoarseGain * coarse;
  // While the coarse estimate puts the carrier beyond the fine range, the
  // fine one is wrapped round and would pull the wrong way: wait.
  if (coherence < kFineQuality || (carrier && std::abs(coarse) > fineRange)) return 0.0;
  return fineStep(phaseError);
}

}  // namespace quillary::psk

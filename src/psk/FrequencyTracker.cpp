#include "psk/FrequencyTracker.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillary::psk {

namespace {
// Noise through the receive low-pass hardly correlates over three samples
// (-0.05), so it neither drags the estimate towards zero nor looks like a
// carrier; the estimate is unambiguous within +-8/3 baud.
constexpr int kLag = 3;
constexpr double kCoarseGain = 0.2;
constexpr double kFineGain = 0.04;
// The coarse estimate averages over a quarter second whatever the rate (at
// 125 baud a few symbols would leave it too noisy), and it must stay beyond
// the fine range for a tenth of a second before it steers.
constexpr double kCoarseSeconds = 0.25;
constexpr double kPersistenceSeconds = 0.1;
// A carrier: the samples three apart agree to a good part of the power.
// Noise alone averages to zero, give or take 1 / sqrt(n) for the n
// independent samples in the averaging time (the low-pass passes 6 baud);
// the threshold stands 3.5 of those above it, and never above 0.5 (a clean
// signal reaches about 0.9).
constexpr double kNoiseMargin = 3.5;
constexpr double kMaxSignalCorrelation = 0.5;
// The fine estimate needs decisions that mean something.
constexpr int kFineQuality = 35;
// A station held while tracking is gone after this long without them.
constexpr double kLossSeconds = 0.5;
// A carrier appears: the power over the last symbol jumps this far above
// the quarter-second average.
constexpr double kNewCarrierRise = 4.0;
}  // namespace

bool FrequencyTracker::create(double sampleRate, int samplesPerSymbol, int order) {
  if (!(sampleRate > 0) || samplesPerSymbol < 4 || (order != 2 && order != 4)) return false;
  sampleRate_ = sampleRate;
  samplesPerSymbol_ = samplesPerSymbol;
  baud_ = sampleRate / samplesPerSymbol;
  order_ = order;
  smoothing_ = 1.0 / (kCoarseSeconds * sampleRate);
  persistence_ = static_cast<int>(std::lround(kPersistenceSeconds * baud_));
  carrierThreshold_ =
      std::min(kMaxSignalCorrelation, kNoiseMargin / std::sqrt(6.0 * baud_ * kCoarseSeconds));
  reset();
  return true;
}

void FrequencyTracker::startAcquiring() {
  tracking_ = false;
  pulling_ = false;
  outside_ = 0;
  settled_ = 0;
  lostFor_ = 0;
}

void FrequencyTracker::reset() {
  startAcquiring();
  recentPower_ = 0;
  history_.fill({});
  next_ = 0;
  rotation_ = {};
  power_ = 0;
}

void FrequencyTracker::process(std::size_t count, const std::complex<float>* wide) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::complex<double> now = wide[i];
    const std::complex<double> lagged = history_[next_];
    rotation_ += smoothing_ * (now * std::conj(lagged) - rotation_);
    power_ += smoothing_ * (std::norm(now) - power_);
    recentPower_ += (std::norm(now) - recentPower_) / samplesPerSymbol_;
    history_[next_] = now;
    next_ = (next_ + 1) % history_.size();
  }
}

void FrequencyTracker::moved(double hz) {
  // Samples mixed at the new frequency turn by -hz; turn the average with
  // them, so the estimate does not lag behind the AFC's own steps.
  rotation_ *= std::polar(1.0, -2 * std::numbers::pi * hz * kLag / sampleRate_);
}

double FrequencyTracker::coarseHz() const {
  return std::arg(rotation_) * sampleRate_ / (2 * std::numbers::pi * kLag);
}

double FrequencyTracker::correction(double phaseError, int quality) {
  return tracking_ ? track(phaseError, quality) : acquire(phaseError, quality);
}

double FrequencyTracker::fineStep(double phaseError) const {
  return kFineGain * phaseError * baud_ / (2 * std::numbers::pi);
}

double FrequencyTracker::track(double phaseError, int quality) {
  if (quality >= kFineQuality) {
    lostFor_ = 0;
    return fineStep(phaseError);
  }
  // The station is gone (an over has ended). Only a new carrier rising in
  // the band starts a new search; a neighbour that was there all along
  // does not.
  const bool lost = ++lostFor_ >= static_cast<int>(kLossSeconds * baud_);
  if (lost && recentPower_ > kNewCarrierRise * power_) startAcquiring();
  return 0.0;
}

double FrequencyTracker::acquire(double phaseError, int quality) {
  const bool carrier = power_ > 0 && std::abs(rotation_) > carrierThreshold_ * power_;
  const double coarse = coarseHz();
  // Beyond the fine estimator's unambiguous range trust the coarse one, until
  // it has pulled well inside (data wobbles the coarse figure a little, so
  // it must not take over at every wobble).
  const double fineRange = baud_ / (2.0 * order_);
  const bool centred = carrier && std::abs(coarse) < 0.25 * fineRange;
  if (!carrier || centred) {
    pulling_ = false;
    outside_ = 0;
  } else if (std::abs(coarse) > fineRange) {
    // Noise can throw the estimate out for a moment; an offset stays.
    pulling_ = pulling_ || ++outside_ >= persistence_;
  }
  settled_ = centred && quality >= kFineQuality ? settled_ + 1 : 0;
  if (settled_ >= persistence_) tracking_ = true;
  if (pulling_) return kCoarseGain * coarse;
  // While the coarse estimate puts the carrier beyond the fine range, the
  // fine one is wrapped round and would pull the wrong way: wait.
  if (quality < kFineQuality || (carrier && std::abs(coarse) > fineRange)) return 0.0;
  return fineStep(phaseError);
}

}  // namespace quillary::psk

#include "psk/FrequencyTracker.h"

#include <cmath>
#include <numbers>

namespace quillary::psk {

namespace {
constexpr int kLag = 2;
constexpr double kCoarseGain = 0.2;
constexpr double kFineGain = 0.04;
// Noise alone, through the receive low-pass, correlates at about 0.35 over
// two samples (0.35 +- 0.2 over the averaging time); a carrier lifts the
// figure towards 1 (0.9 at 0 dB SNR in 3 kHz).
constexpr double kSignalCorrelation = 0.75;
// The fine estimate needs decisions that mean something.
constexpr int kFineQuality = 35;
}  // namespace

bool FrequencyTracker::create(double sampleRate, int samplesPerSymbol, int order) {
  if (!(sampleRate > 0) || samplesPerSymbol < 4 || (order != 2 && order != 4)) return false;
  sampleRate_ = sampleRate;
  samplesPerSymbol_ = samplesPerSymbol;
  baud_ = sampleRate / samplesPerSymbol;
  order_ = order;
  smoothing_ = 1.0 / (8.0 * samplesPerSymbol);  // about eight symbols
  reset();
  return true;
}

void FrequencyTracker::reset() {
  older_ = old_ = {};
  rotation_ = {};
  power_ = 0;
  pulling_ = false;
}

void FrequencyTracker::process(std::size_t count, const std::complex<float>* wide) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::complex<double> now = wide[i];
    rotation_ += smoothing_ * (now * std::conj(std::complex<double>(older_)) - rotation_);
    power_ += smoothing_ * (std::norm(now) - power_);
    older_ = old_;
    old_ = wide[i];
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
  const bool carrier = power_ > 0 && std::abs(rotation_) > kSignalCorrelation * power_;
  const double coarse = coarseHz();
  // Beyond the fine estimator's unambiguous range trust the coarse one, until
  // it has pulled well inside (data wobbles the coarse figure a little, so
  // it must not take over at every wobble).
  const double fineRange = baud_ / (2.0 * order_);
  if (!carrier || std::abs(coarse) < 0.25 * fineRange) pulling_ = false;
  else if (std::abs(coarse) > fineRange) pulling_ = true;
  if (pulling_) return kCoarseGain * coarse;
  if (quality < kFineQuality) return 0.0;
  const double fineHz = phaseError * baud_ / (2 * std::numbers::pi);
  return kFineGain * fineHz;
}

}  // namespace quillary::psk

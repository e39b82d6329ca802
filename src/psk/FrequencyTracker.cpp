#include "psk/FrequencyTracker.h"

#include <cmath>
#include <numbers>

namespace quillary::psk {

namespace {
constexpr int kLag = 2;
constexpr double kCoarseGain = 0.08;
constexpr double kFineGain = 0.04;
// Noise alone, through the receive low-pass, correlates at about 0.3 over
// two samples; a signal above it lifts the figure towards 1.
constexpr double kSignalCorrelation = 0.55;
constexpr int kFineQuality = 35;
}  // namespace

bool FrequencyTracker::create(double sampleRate, int samplesPerSymbol, int order) {
  if (!(sampleRate > 0) || samplesPerSymbol < 4 || (order != 2 && order != 4)) return false;
  sampleRate_ = sampleRate;
  samplesPerSymbol_ = samplesPerSymbol;
  baud_ = sampleRate / samplesPerSymbol;
  order_ = order;
  smoothing_ = 1.0 / (4.0 * samplesPerSymbol);  // about four symbols
  reset();
  return true;
}

void FrequencyTracker::reset() {
  older_ = old_ = {};
  rotation_ = {};
  power_ = 0;
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

double FrequencyTracker::coarseHz() const {
  return std::arg(rotation_) * sampleRate_ / (2 * std::numbers::pi * kLag);
}

double FrequencyTracker::correction(double phaseError, int quality) {
  const bool signalPresent = power_ > 0 && std::abs(rotation_) > kSignalCorrelation * power_;
  const double coarse = coarseHz();
  // Beyond half the fine estimator's unambiguous range, trust the coarse one.
  const double fineRange = baud_ / (2.0 * order_);
  if (signalPresent && std::abs(coarse) > 0.5 * fineRange) return kCoarseGain * coarse;
  if (quality >= kFineQuality) {
    const double fineHz = phaseError * baud_ / (2 * std::numbers::pi);
    return kFineGain * fineHz;
  }
  return 0.0;
}

}  // namespace quillary::psk

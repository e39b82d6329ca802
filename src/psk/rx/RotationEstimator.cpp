#include "psk/rx/RotationEstimator.h"

#include <cmath>
#include <numbers>

namespace quillary::psk {

bool RotationEstimator::create(double sampleRate, double seconds) {
  if (!(sampleRate > 0) || !(seconds > 0) || seconds * sampleRate < 1) return false;
  sampleRate_ = sampleRate;
  smoothing_ = 1.0 / (seconds * sampleRate);
  reset();
  return true;
}

void RotationEstimator::reset() {
  history_.fill({});
  next_ = 0;
  rotation_ = {};
  power_ = 0;
}

void RotationEstimator::process(std::size_t count, const std::complex<float>* in) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::complex<double> now = in[i];
    rotation_ += smoothing_ * (now * std::conj(history_[next_]) - rotation_);
    power_ += smoothing_ * (std::norm(now) - power_);
    history_[next_] = now;
    next_ = (next_ + 1) % history_.size();
  }
}

void RotationEstimator::moved(double hz) {
  rotation_ *= std::polar(1.0, -2 * std::numbers::pi * hz * kLag / sampleRate_);
}

double RotationEstimator::hz() const {
  return std::arg(rotation_) * sampleRate_ / (2 * std::numbers::pi * kLag);
}

double RotationEstimator::correlation() const { return power_ > 0 ? std::abs(rotation_) / power_ : 0.0; }

}  // namespace quillary::psk

#include "psk/channel/DopplerFading.h"

#include <cmath>
#include <numbers>

namespace quillary::psk {

namespace {
constexpr double kRateOverSpread = 32.0;
// The filter reaches five standard deviations of its impulse response each
// way: what it leaves out is far below the process's own fluctuation.
constexpr double kFilterReach = 5.0;
}  // namespace

bool DopplerFading::create(double sampleRate, double spreadHz, uint64_t seed) {
  if (!(sampleRate > 0) || !std::isfinite(sampleRate) || !(spreadHz > 0) || !(spreadHz <= sampleRate / 100)) return false;
  spreadHz_ = spreadHz;
  const double rate = kRateOverSpread * spreadHz;
  step_ = rate / sampleRate;
  seed_ = seed;
  // A power spectrum exp(-f^2 / 2 s^2) (s = spread / 2) is what white noise
  // becomes through a filter of amplitude response exp(-f^2 / 4 s^2), whose
  // impulse response is a Gaussian of standard deviation 1 / (2 pi s sqrt 2).
  const double sigma = spreadHz / 2;
  const double width = rate / (2 * std::numbers::pi * sigma * std::numbers::sqrt2);  // in generator samples
  const int half = static_cast<int>(std::ceil(kFilterReach * width));
  taps_.assign(static_cast<std::size_t>(2 * half + 1), 0.0);
  double energy = 0;
  for (int k = -half; k <= half; ++k) {
    const double tap = std::exp(-0.5 * k * k / (width * width));
    taps_[static_cast<std::size_t>(k + half)] = tap;
    energy += tap * tap;
  }
  for (double& tap : taps_) tap /= std::sqrt(energy);
  reset();
  return true;
}

void DopplerFading::reset() {
  random_.seed(seed_);
  gauss_.reset();
  // The filter starts full, so the process is stationary from its first sample.
  white_.assign(taps_.size(), {});
  whiteNext_ = 0;
  for (std::size_t i = 1; i < taps_.size(); ++i) generate();
  for (auto& point : points_) point = generate();
  position_ = 0.0;
}

std::complex<double> DopplerFading::generate() {
  // Unit mean power: each part carries half.
  white_[whiteNext_] = {gauss_(random_) * std::numbers::sqrt2 / 2, gauss_(random_) * std::numbers::sqrt2 / 2};
  whiteNext_ = (whiteNext_ + 1) % white_.size();
  std::complex<double> sum{};
  for (std::size_t k = 0; k < taps_.size(); ++k) sum += taps_[k] * white_[(whiteNext_ + k) % white_.size()];
  return sum;
}

void DopplerFading::process(std::size_t count, std::complex<float>* gains) {
  for (std::size_t i = 0; i < count; ++i) {
    // Catmull-Rom between points_[1] and points_[2].
    const double t = position_, t2 = t * t, t3 = t2 * t;
    const auto& p = points_;
    const std::complex<double> g = 0.5 * (2.0 * p[1] + (p[2] - p[0]) * t + (2.0 * p[0] - 5.0 * p[1] + 4.0 * p[2] - p[3]) * t2 +
                                          (3.0 * p[1] - p[0] - 3.0 * p[2] + p[3]) * t3);
    gains[i] = std::complex<float>(g);
    position_ += step_;
    while (position_ >= 1.0) {
      position_ -= 1.0;
      points_ = {points_[1], points_[2], points_[3], generate()};
    }
  }
}

}  // namespace quillary::psk

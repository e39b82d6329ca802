#include "psk/rx/FadingPredictor.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace quillary::psk {

namespace {
// Until it has learned, the predictor assumes a channel between the
// moderate and the poor HF paths: a spread of 0.7 Hz at 31.25 baud,
// readings 15 dB above their noise.
constexpr double kAssumedSpread = 0.011;
constexpr double kAssumedNoise = 0.03;
// What it learns reaches back some hundred symbols, and it trusts it from
// the hundredth on; the predictor is made anew every few symbols.
constexpr double kLearnRate = 0.01;
constexpr long long kLearnedEnough = 100;
constexpr long long kRedesignEvery = 8;
// The fading is read from readings this many symbols apart: the gain
// moves nine times as far in three symbols as in one, while the noise
// stays the same.
constexpr int kLag = 3;
// Beyond these the readings are taken for something else than fading.
constexpr double kLeastSpread = 0.002, kMostSpread = 0.03;
constexpr double kLeastNoise = 0.001, kMostNoise = 1.0;

// The gain's correlation between readings `lag` symbols apart.
double correlation(int lag, double spreadPerSymbol) {
  const double x = std::numbers::pi * spreadPerSymbol * lag;
  return std::exp(-2 * x * x);
}

// Solves a x = b by Gaussian elimination; `a` is symmetric and, with the
// noise on its diagonal, well conditioned, so no pivoting is needed.
std::vector<double> solve(std::vector<std::vector<double>> a, std::vector<double> b) {
  const std::size_t n = b.size();
  for (std::size_t c = 0; c < n; ++c)
    for (std::size_t r = c + 1; r < n; ++r) {
      const double f = a[r][c] / a[c][c];
      for (std::size_t k = c; k < n; ++k) a[r][k] -= f * a[c][k];
      b[r] -= f * b[c];
    }
  std::vector<double> x(n);
  for (std::size_t r = n; r-- > 0;) {
    double v = b[r];
    for (std::size_t k = r + 1; k < n; ++k) v -= a[r][k] * x[k];
    x[r] = v / a[r][r];
  }
  return x;
}
}  // namespace

std::vector<float> fadingPredictorTaps(int count, double spreadPerSymbol, double noise) {
  if (count < 1 || !(spreadPerSymbol >= 0) || !(noise > 0)) return {};
  const auto n = static_cast<std::size_t>(count);
  std::vector<std::vector<double>> readings(n, std::vector<double>(n));
  std::vector<double> ahead(n);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j)
      readings[i][j] = correlation(static_cast<int>(i) - static_cast<int>(j), spreadPerSymbol) + (i == j ? noise : 0.0);
    ahead[i] = correlation(static_cast<int>(i) + 1, spreadPerSymbol);
  }
  const std::vector<double> taps = solve(std::move(readings), std::move(ahead));
  return {taps.begin(), taps.end()};
}

void FadingPredictor::reset() {
  spread_ = kAssumedSpread;
  noise_ = kAssumedNoise;
  power_ = lagDifference_ = secondDifference_ = 0;
  learned_ = 0;
  design();
}

std::complex<float> FadingPredictor::predict(const Readings& readings) const {
  std::complex<float> gain{};
  for (int i = 0; i < kReadings; ++i) gain += taps_[i] * readings[i];
  return gain;
}

void FadingPredictor::learn(const Readings& readings) {
  const std::complex<float> oldest = readings[kReadings - 1], next = readings[kReadings - 2],
                            third = readings[kReadings - 3], later = readings[kReadings - 1 - kLag];
  power_ += kLearnRate * (std::norm(oldest) - power_);
  lagDifference_ += kLearnRate * (std::norm(later - oldest) - lagDifference_);
  secondDifference_ += kLearnRate * (std::norm(third - 2.0f * next + oldest) - secondDifference_);
  if (++learned_ < kLearnedEnough || learned_ % kRedesignEvery != 0) return;
  // A second difference holds six times the noise; a difference, twice
  // the noise and what the gain moved.
  const double noise = secondDifference_ / 6;
  const double gain = std::max(power_ - noise, kLeastNoise * power_);
  const double moved = std::clamp((lagDifference_ - 2 * noise) / (2 * gain), 0.0, 0.9);
  // 1 - moved is the gain's correlation over kLag symbols.
  const double spread = std::sqrt(-std::log(1 - moved) / 2) / (std::numbers::pi * kLag);
  spread_ = std::clamp(spread, kLeastSpread, kMostSpread);
  noise_ = std::clamp(noise / gain, kLeastNoise, kMostNoise);
  design();
}

void FadingPredictor::design() {
  const std::vector<float> taps = fadingPredictorTaps(kReadings, spread_, noise_);
  std::copy(taps.begin(), taps.end(), taps_.begin());
}

}  // namespace quillary::psk

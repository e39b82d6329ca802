#include "psk/rx/FadingLearner.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace quillary::psk {

namespace {
// Until it has learned, a reader assumes a channel between the moderate
// and the poor HF paths: a spread of 0.7 Hz at 31.25 baud, readings 15 dB
// above their noise.
constexpr double kAssumedSpread = 0.011;
constexpr double kAssumedNoise = 0.03;
// What it learns reaches back some hundred symbols, and it trusts it from
// the hundredth on; the filters are made anew every few symbols.
constexpr double kLearnRate = 0.01;
constexpr long long kLearnedEnough = 100;
constexpr long long kRedesignEvery = 8;
// The fading is read from readings this many symbols apart: the gain
// moves nine times as far in three symbols as in one, while the noise
// stays the same.
constexpr int kLag = 3;
static_assert(kLag + 1 == std::tuple_size_v<FadingLearner::Span>);
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

std::vector<float> fadingWienerTaps(std::span<const int> offsets, double spreadPerSymbol, double noise) {
  if (offsets.empty() || !(spreadPerSymbol >= 0) || !(noise > 0)) return {};
  const std::size_t n = offsets.size();
  std::vector<std::vector<double>> readings(n, std::vector<double>(n));
  std::vector<double> wanted(n);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j)
      readings[i][j] = correlation(offsets[i] - offsets[j], spreadPerSymbol) + (i == j ? noise : 0.0);
    wanted[i] = correlation(offsets[i], spreadPerSymbol);
  }
  const std::vector<double> taps = solve(std::move(readings), std::move(wanted));
  return {taps.begin(), taps.end()};
}

void FadingLearner::reset() {
  spread_ = kAssumedSpread;
  noise_ = kAssumedNoise;
  power_ = lagDifference_ = secondDifference_ = 0;
  learned_ = 0;
}

bool FadingLearner::learned() const { return learned_ >= kLearnedEnough; }

bool FadingLearner::learn(const Span& readings) {
  const std::complex<float> oldest = readings[0], next = readings[1], third = readings[2], later = readings[kLag];
  power_ += kLearnRate * (std::norm(oldest) - power_);
  lagDifference_ += kLearnRate * (std::norm(later - oldest) - lagDifference_);
  secondDifference_ += kLearnRate * (std::norm(third - 2.0f * next + oldest) - secondDifference_);
  if (++learned_ < kLearnedEnough || learned_ % kRedesignEvery != 0) return false;
  // A second difference holds six times the noise; a difference, twice
  // the noise and what the gain moved.
  const double noise = secondDifference_ / 6;
  const double gain = std::max(power_ - noise, kLeastNoise * power_);
  if (!(gain > 0)) return false;  // silence tells nothing of the channel
  const double moved = std::clamp((lagDifference_ - 2 * noise) / (2 * gain), 0.0, 0.9);
  // 1 - moved is the gain's correlation over kLag symbols.
  const double spread = std::sqrt(-std::log(1 - moved) / 2) / (std::numbers::pi * kLag);
  spread_ = std::clamp(spread, kLeastSpread, kMostSpread);
  noise_ = std::clamp(noise / gain, kLeastNoise, kMostNoise);
  return true;
}

}  // namespace quillary::psk

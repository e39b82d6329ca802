#include "psk/ImdMeter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillary::psk {

namespace {
// Symbols between a wide sample and the decision on it (filters, timing).
constexpr int kDecisionDelaySymbols = 4;
// The fundamentals must stand this far above the noise beside them.
constexpr double kMinimumSnrDb = 30.0;
}  // namespace

bool ImdMeter::create(double sampleRate, int samplesPerSymbol) {
  if (!(sampleRate > 0) || samplesPerSymbol < 4) return false;
  sampleRate_ = sampleRate;
  samplesPerSymbol_ = samplesPerSymbol;
  symbolsPerSecond_ = static_cast<int>(std::lround(sampleRate / samplesPerSymbol));
  window_ = static_cast<std::size_t>(symbolsPerSecond_) * samplesPerSymbol;
  margin_ = static_cast<std::size_t>(kDecisionDelaySymbols) * samplesPerSymbol;
  ring_.assign(window_ + margin_, {});
  hann_.resize(window_);
  for (std::size_t n = 0; n < window_; ++n)
    hann_[n] = static_cast<float>(0.5 - 0.5 * std::cos(2 * std::numbers::pi * (n + 0.5) / window_));
  reset();
  return true;
}

void ImdMeter::reset() {
  std::fill(ring_.begin(), ring_.end(), std::complex<float>{});
  next_ = filled_ = 0;
  cleanRun_ = 0;
  reading_.reset();
}

void ImdMeter::process(std::size_t count, const std::complex<float>* wide) {
  for (std::size_t i = 0; i < count; ++i) {
    ring_[next_] = wide[i];
    next_ = (next_ + 1) % ring_.size();
  }
  filled_ = std::min(ring_.size(), filled_ + count);
}

void ImdMeter::symbol(bool cleanReversal) {
  cleanRun_ = cleanReversal ? cleanRun_ + 1 : 0;
  // The window must lie wholly inside the clean run, decisions lagging the
  // samples by a few symbols.
  if (cleanRun_ < symbolsPerSecond_ + 2 * kDecisionDelaySymbols || filled_ < ring_.size()) return;
  measure();
  cleanRun_ = 2 * kDecisionDelaySymbols;  // the next reading after another second
}

double ImdMeter::power(double hz, std::size_t start) const {
  const double step = -2 * std::numbers::pi * hz / sampleRate_;
  std::complex<double> sum{};
  for (std::size_t n = 0; n < window_; ++n) {
    const auto& x = ring_[(start + n) % ring_.size()];
    sum += static_cast<double>(hann_[n]) * std::complex<double>(x) * std::polar(1.0, step * n);
  }
  return std::norm(sum);
}

void ImdMeter::measure() {
  const std::size_t start = next_;  // the oldest sample: the window ends `margin_` before now
  const double baud = sampleRate_ / samplesPerSymbol_;
  const double fundamentals = power(-baud / 2, start) + power(baud / 2, start);
  const double thirds = power(-1.5 * baud, start) + power(1.5 * baud, start);
  const double noise = (power(0, start) + power(-baud, start) + power(baud, start)) / 3;
  if (!(fundamentals > 0) || !(thirds > 0)) return;
  if (10 * std::log10(fundamentals / 2 / std::max(noise, 1e-30)) < kMinimumSnrDb) return;
  reading_ = static_cast<int>(std::lround(10 * std::log10(thirds / fundamentals)));
}

std::optional<int> ImdMeter::take() {
  auto reading = reading_;
  reading_.reset();
  return reading;
}

}  // namespace quillary::psk

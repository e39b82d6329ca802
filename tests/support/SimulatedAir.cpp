#include "support/SimulatedAir.h"

#include <cmath>

namespace quillary::testing {

namespace {
// The transmitter's full level, as a power: a steady carrier of 0.8.
constexpr double kSignalPower = 0.8 * 0.8 / 2;
// White noise at 8000 Hz spreads over 4 kHz; the ratio counts 3 kHz of it.
constexpr double kShareIn3kHz = 3000.0 / 4000.0;
}  // namespace

std::vector<float> ClockDrift::pull(std::size_t count) {
  std::vector<float> out(count, 0.0f);
  for (std::size_t n = 0; n < count; ++n) {
    const auto i = static_cast<std::size_t>(position_);
    if (i + 2 >= history_.size()) break;  // ran dry: silence
    const double t = position_ - static_cast<double>(i);
    const double p0 = history_[i - 1], p1 = history_[i], p2 = history_[i + 1], p3 = history_[i + 2];
    out[n] = static_cast<float>(p1 + 0.5 * t * (p2 - p0 + t * (2 * p0 - 5 * p1 + 4 * p2 - p3 + t * (3 * (p1 - p2) + p3 - p0))));
    position_ += ratio_;
  }
  // Keep one sample before the position for the next interpolation.
  const auto used = static_cast<std::size_t>(position_) - 1;
  history_.erase(history_.begin(), history_.begin() + static_cast<std::ptrdiff_t>(std::min(used, history_.size())));
  position_ -= static_cast<double>(used);
  return out;
}

SimulatedAir::SimulatedAir(double snrDb, double clockPpmOfB, uint32_t seed)
    : toB_(1.0 / (1.0 + clockPpmOfB * 1e-6), 512),
      toA_(1.0 + clockPpmOfB * 1e-6, 512),
      noise_(0.0f, static_cast<float>(std::sqrt(kSignalPower / std::pow(10.0, snrDb / 10) / kShareIn3kHz))),
      random_(seed) {}

void SimulatedAir::pump(std::size_t frames) {
  std::vector<float> fromA = a_.pump(frames, withNoise(toA_.pull(frames)));
  std::vector<float> fromB = b_.pump(frames, withNoise(toB_.pull(frames)));
  fromA.resize(frames, 0.0f);  // a stopped station sends nothing
  fromB.resize(frames, 0.0f);
  toB_.push(fromA);
  toA_.push(fromB);
}

std::vector<float> SimulatedAir::withNoise(std::vector<float> heard) {
  for (float& sample : heard) sample += noise_(random_);
  return heard;
}

}  // namespace quillary::testing

#include "psk/rx/SignalQuality.h"

#include <algorithm>
#include <cmath>

namespace quillary::psk {

bool SignalQuality::create(int order, double smoothing) {
  if ((order != 2 && order != 4) || !(smoothing > 0.0 && smoothing <= 1.0)) return false;
  order_ = order;
  smoothing_ = smoothing;
  reset();
  return true;
}

void SignalQuality::reset() { average_ = {}; }

void SignalQuality::process(std::size_t count, const std::complex<float>* phaseChanges) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::complex<double> d = phaseChanges[i];
    const double magnitude = std::abs(d);
    // A symbol of silence carries no phase: it pulls the figure to zero.
    std::complex<double> unit{};
    if (magnitude > 0) unit = std::pow(d / magnitude, order_);
    average_ += smoothing_ * (unit - average_);
  }
}

void SignalQuality::fade(double factor) {
  if (factor >= 0.0 && factor <= 1.0) average_ *= factor;
}

int SignalQuality::coherence() const {
  return std::clamp(static_cast<int>(std::lround(100.0 * std::abs(average_))), 0, 100);
}

int SignalQuality::value() const {
  const double magnitude = std::abs(average_);
  if (magnitude == 0) return 0;
  const double onAxes = 0.5 + 0.5 * average_.real() / magnitude;  // (1 + cos(turn)) / 2
  return std::clamp(static_cast<int>(std::lround(100.0 * magnitude * onAxes)), 0, 100);
}

}  // namespace quillary::psk

#include "psk/dsp/Nco.h"

#include <cmath>
#include <numbers>

namespace quillary::psk {

Nco::Nco(double sampleRate) : sampleRate_(sampleRate) {}

bool Nco::setFrequency(double hz) {
  if (!std::isfinite(hz) || hz < 0.0 || hz >= sampleRate_ / 2) return false;
  frequency_ = hz;
  step_ = hz / sampleRate_;
  return true;
}

void Nco::reset(double phaseTurns) { phase_ = phaseTurns - std::floor(phaseTurns); }

std::complex<double> Nco::next() {
  const double angle = 2.0 * std::numbers::pi * phase_;
  phase_ += step_;
  if (phase_ >= 1.0) phase_ -= 1.0;
  return {std::cos(angle), std::sin(angle)};
}

void Nco::process(std::size_t count, std::complex<float>* out) {
  for (std::size_t i = 0; i < count; ++i) out[i] = std::complex<float>(next());
}

}  // namespace quillary::psk

#include "psk/dsp/Mixer.h"

#include <cmath>
#include <numbers>

namespace quillary::psk {

bool Mixer::create(double sampleRate, double hz) {
  if (!(sampleRate > 0.0)) return false;
  const double oldRate = sampleRate_;
  sampleRate_ = sampleRate;
  if (!setFrequency(hz)) {
    sampleRate_ = oldRate;
    return false;
  }
  reset();
  return true;
}

bool Mixer::setFrequency(double hz) {
  if (!(hz > 0.0 && hz < sampleRate_ / 2)) return false;
  hz_ = hz;
  return true;
}

void Mixer::reset() { phase_ = 0.0; }

void Mixer::process(std::size_t count, const float* in, std::complex<float>* out) {
  constexpr double kTwoPi = 2 * std::numbers::pi;
  const double step = kTwoPi * hz_ / sampleRate_;
  for (std::size_t i = 0; i < count; ++i) {
    // Two times the sample, so the wanted term has the input's amplitude. A
    // sample that is no number (a damaged file) counts as silence, or it
    // would poison every average behind the mixer for good.
    const double scale = std::isfinite(in[i]) ? 2.0 * in[i] : 0.0;
    out[i] = {static_cast<float>(scale * std::cos(phase_)),
              static_cast<float>(-scale * std::sin(phase_))};
    phase_ += step;
    if (phase_ >= kTwoPi) phase_ -= kTwoPi;
  }
}

}  // namespace quillary::psk

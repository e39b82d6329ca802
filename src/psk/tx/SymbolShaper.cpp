#include "psk/tx/SymbolShaper.h"

#include <cmath>
#include <numbers>

namespace quillary::psk {

SymbolShaper::SymbolShaper(int samplesPerSymbol) {
  if (!setSamplesPerSymbol(samplesPerSymbol)) setSamplesPerSymbol(256);
}

bool SymbolShaper::setSamplesPerSymbol(int samples) {
  if (samples < 2 || samples > 4096) return false;
  oldWeight_.resize(static_cast<std::size_t>(samples));
  for (int n = 0; n < samples; ++n)
    oldWeight_[n] = static_cast<float>(0.5 + 0.5 * std::cos(std::numbers::pi * n / samples));
  return true;
}

void SymbolShaper::reset(std::complex<float> previous) { previous_ = previous; }

void SymbolShaper::process(std::size_t count, const std::complex<float>* symbols,
                           std::complex<float>* out) {
  const std::size_t length = oldWeight_.size();
  for (std::size_t s = 0; s < count; ++s) {
    const std::complex<float> next = symbols[s];
    for (std::size_t n = 0; n < length; ++n) {
      const float w = oldWeight_[n];
      *out++ = w * previous_ + (1.0f - w) * next;
    }
    previous_ = next;
  }
}

float fadeInGain(int n, int samplesPerSymbol) {
  const int half = samplesPerSymbol / 2;
  if (n >= half) return 1.0f;
  if (n <= 0) return 0.0f;
  const double s = std::sin(std::numbers::pi / 2 * n / half);
  return static_cast<float>(s * s);
}

float fadeOutGain(int n, int samplesPerSymbol) { return fadeInGain(samplesPerSymbol - 1 - n, samplesPerSymbol); }

}  // namespace quillary::psk

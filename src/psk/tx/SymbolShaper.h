#pragma once
// The envelope between PSK symbols: over one symbol the baseband moves from
// the previous symbol's vector to the new one, with weight
// 0.5 + 0.5 cos(pi n / N) on the old and the rest on the new (n = 0..N-1).
// A reversal passes through zero with a cosine shape; an unchanged vector is
// a steady carrier.
#include <complex>
#include <cstddef>
#include <vector>

namespace quillary::psk {

class SymbolShaper {
 public:
  explicit SymbolShaper(int samplesPerSymbol = 256);

  // False (and no change) outside 2..4096.
  bool setSamplesPerSymbol(int samples);
  int samplesPerSymbol() const { return static_cast<int>(oldWeight_.size()); }
  // The vector the next symbol starts from.
  void reset(std::complex<float> previous = {0.0f, 0.0f});
  std::complex<float> previous() const { return previous_; }

  // Shapes `count` symbols into count * samplesPerSymbol() baseband samples.
  void process(std::size_t count, const std::complex<float>* symbols, std::complex<float>* out);

 private:
  std::vector<float> oldWeight_;
  std::complex<float> previous_{0.0f, 0.0f};
};

// The gain of the first symbol of a transmission at sample n of N: sin^2
// rising over the first half, then 1. fadeOutGain is its mirror image, so
// the last sample of a transmission is silent.
float fadeInGain(int n, int samplesPerSymbol);
float fadeOutGain(int n, int samplesPerSymbol);

}  // namespace quillary::psk

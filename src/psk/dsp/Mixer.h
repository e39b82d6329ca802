#pragma once
// Moves the receive frequency to 0 Hz: real audio in, complex baseband out
// (multiplied by exp(-j w t), so a transmitter's phasor I + jQ comes out
// unchanged apart from scale).
#include <complex>
#include <cstddef>

namespace quillary::psk {

class Mixer {
 public:
  // False, and no change, outside 0 < hz < sampleRate / 2.
  bool create(double sampleRate, double hz);
  bool setFrequency(double hz);
  double frequency() const { return hz_; }
  void reset();
  void process(std::size_t count, const float* in, std::complex<float>* out);

 private:
  double sampleRate_ = 8000.0;
  double hz_ = 1000.0;
  double phase_ = 0.0;  // radians, kept in [0, 2 pi)
};

}  // namespace quillary::psk

#pragma once
// Numerically controlled oscillator: the carrier e^(j 2 pi f t). The phase is
// kept in turns and wrapped every sample, so it holds full precision however
// long it runs.
#include <complex>
#include <cstddef>

#include "psk/PskMode.h"

namespace quillary::psk {

class Nco {
 public:
  explicit Nco(double sampleRate = kSampleRate);

  // False (and no change) unless 0 <= hz < half the sample rate.
  bool setFrequency(double hz);
  double frequency() const { return frequency_; }
  // Starts over at `phaseTurns` (0 = cosine peak).
  void reset(double phaseTurns = 0.0);
  double phaseTurns() const { return phase_; }

  // Writes `count` carrier samples; the phase then moves on by count steps.
  void process(std::size_t count, std::complex<float>* out);
  std::complex<double> next();

 private:
  double sampleRate_;
  double frequency_ = 0.0;
  double step_ = 0.0;   // turns per sample
  double phase_ = 0.0;  // turns, in [0, 1)
};

}  // namespace quillary::psk

#pragma once
// How well received phase changes sit on the constellation: the magnitude
// of a smoothed average of exp(j m dphi), m = 2 for BPSK and 4 for QPSK,
// as 0..100. Noise alone stays near 20; a clean signal near 100.
#include <complex>
#include <cstddef>

namespace quillary::psk {

class SignalQuality {
 public:
  // False, and no change, for an order other than 2 or 4 or a smoothing
  // outside (0, 1].
  bool create(int order, double smoothing = 0.05);
  void reset();
  // One differential phasor per symbol.
  void process(std::size_t count, const std::complex<float>* phaseChanges);
  int value() const;

 private:
  int order_ = 2;
  double smoothing_ = 0.05;
  std::complex<double> average_{};
};

}  // namespace quillary::psk

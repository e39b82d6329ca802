#pragma once
// How well received phase changes sit on the constellation, from a
// smoothed average of exp(j m dphi), m = 2 for BPSK and 4 for QPSK.
// - coherence: its magnitude, 0..100. Noise alone stays near 20, a clean
//   signal near 100, also when it is off tune and every phase change turns
//   by the same amount.
// - value: the coherence weighted by how close that common turn is to none,
//   (1 + cos(turn)) / 2: a station off tune, whose points sit beside the
//   axes, scores lower, and one a whole step of the constellation off
//   (which decodes garbage) scores nothing.
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
  // A symbol with no carrier in it: the figure falls by `factor` (0..1) at
  // once, so the squelch closes soon after a station stops.
  void fade(double factor);
  int value() const;
  int coherence() const;

 private:
  int order_ = 2;
  double smoothing_ = 0.05;
  std::complex<double> average_{};
};

}  // namespace quillary::psk

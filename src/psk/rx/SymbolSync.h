#pragma once
// Symbol timing recovery: picks one sample per symbol out of a stream with
// a whole number of samples per symbol, steered by the Gardner error
// (the slope between two symbols times the sample half-way between them).
// Tracks a sound-card clock that runs off by several hundred ppm.
#include <complex>
#include <cstddef>
#include <vector>

namespace quillary::psk {

class SymbolSync {
 public:
  // False, and no change, for fewer than 4 samples per symbol or a gain
  // outside (0, 2].
  bool create(int samplesPerSymbol, double gain = 0.5);
  void reset();
  // Appends one interpolated sample per symbol to `symbols`, and, given
  // `slopes`, the stream's slope there (half the difference of the samples
  // either side) to it.
  void process(std::size_t count, const std::complex<float>* in,
               std::vector<std::complex<float>>& symbols,
               std::vector<std::complex<float>>* slopes = nullptr);
  // Samples per symbol as currently tracked (nominal when the clocks agree).
  double period() const { return period_; }

 private:
  std::complex<float> at(double position) const;
  void strobe();

  int samplesPerSymbol_ = 16;
  double gain_ = 0.5;
  std::vector<std::complex<float>> history_;  // ring, indexed by absolute sample number
  long long received_ = 0;                    // samples seen so far
  double nextStrobe_ = 0;                     // absolute position of the next symbol
  double period_ = 16;
  std::complex<float> previous_{};
  double power_ = 0;                          // smoothed symbol power, for a level-free error
};

}  // namespace quillary::psk

#pragma once
// A complex FIR filter with real taps that keeps one output in `factor`
// inputs (factor 1: a plain filter). Only the kept outputs are computed.
#include <complex>
#include <cstddef>
#include <vector>

namespace quillary::psk {

class DecimatingFir {
 public:
  // False, and no change, for no taps or a factor below 1.
  bool create(std::vector<float> taps, int factor);
  void reset();
  // Appends the outputs to `out`.
  void process(std::size_t count, const std::complex<float>* in,
               std::vector<std::complex<float>>& out);
  std::size_t length() const { return taps_.size(); }

 private:
  std::vector<float> taps_;  // reversed, so the newest sample meets taps_.back()
  std::vector<std::complex<float>> history_;  // twice the length: a window is contiguous
  std::size_t next_ = 0;
  int factor_ = 1;
  int phase_ = 0;
};

}  // namespace quillary::psk

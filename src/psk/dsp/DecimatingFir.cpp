#include "psk/dsp/DecimatingFir.h"

#include <algorithm>

namespace quillary::psk {

bool DecimatingFir::create(std::vector<float> taps, int factor) {
  if (taps.empty() || factor < 1) return false;
  std::reverse(taps.begin(), taps.end());
  taps_ = std::move(taps);
  factor_ = factor;
  history_.assign(2 * taps_.size(), {});
  reset();
  return true;
}

void DecimatingFir::reset() {
  std::fill(history_.begin(), history_.end(), std::complex<float>{});
  next_ = 0;
  phase_ = 0;
}

void DecimatingFir::process(std::size_t count, const std::complex<float>* in,
                            std::vector<std::complex<float>>& out) {
  const std::size_t n = taps_.size();
  for (std::size_t i = 0; i < count; ++i) {
    // Each sample is written twice, n apart, so the last n samples always
    // stand in order at history_[next_ + 1 .. next_ + n].
    history_[next_] = in[i];
    history_[next_ + n] = in[i];
    next_ = (next_ + 1) % n;
    if (++phase_ < factor_) continue;
    phase_ = 0;
    const std::complex<float>* window = history_.data() + next_;
    float re = 0, im = 0;
    for (std::size_t k = 0; k < n; ++k) {
      re += taps_[k] * window[k].real();
      im += taps_[k] * window[k].imag();
    }
    out.emplace_back(re, im);
  }
}

}  // namespace quillary::psk

#pragma once
// Differential phase mapping of data bits to symbol vectors. BPSK: a 0 bit
// reverses the phase, a 1 bit keeps it. QPSK: each bit goes through the
// convolutional encoder and its symbol v turns the phase by 180 + 90 v
// degrees, where +90 multiplies the baseband vector by +j (the audio is
// I cos(wt) - Q sin(wt), so its phase is atan2(Q, I)).
#include <complex>
#include <cstddef>
#include <cstdint>

#include "psk/tx/ConvolutionalEncoder.h"

namespace quillary::psk {

class SymbolMapper {
 public:
  explicit SymbolMapper(bool qpsk = false) : qpsk_(qpsk) {}

  void setQpsk(bool qpsk) { qpsk_ = qpsk; }
  bool qpsk() const { return qpsk_; }
  // Phase back to `quarterTurns` (0..3, 0 = phase 0), encoder register cleared.
  void reset(int quarterTurns = 0);
  int quarterTurns() const { return quarter_; }

  // The vector of the symbol that carries `bit`.
  std::complex<float> push(int bit);
  void process(std::size_t count, const uint8_t* bits, std::complex<float>* vectors);

  static std::complex<float> vectorOf(int quarterTurns);

 private:
  bool qpsk_;
  int quarter_ = 0;
  ConvolutionalEncoder encoder_;
};

}  // namespace quillary::psk

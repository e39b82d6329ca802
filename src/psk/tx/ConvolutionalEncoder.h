#pragma once
// The QPSK convolutional code: rate 1/2, constraint length 5, generator
// polynomials 0x17 and 0x19, in the bit order used on the air:
//   r = ((r << 1) | b) & 0x1F;  s0 = parity(r & 0x17);  s1 = parity(r & 0x19)
// and the symbol v = 2*s1 + s0 belongs to the bit just pushed (no delay).
#include <cstddef>
#include <cstdint>

namespace quillary::psk {

class ConvolutionalEncoder {
 public:
  void reset() { register_ = 0; }
  // The 2-bit symbol v (0..3) for one data bit.
  int push(int bit);
  void process(std::size_t count, const uint8_t* bits, uint8_t* symbols);

 private:
  unsigned register_ = 0;
};

}  // namespace quillary::psk

#include "psk/tx/ConvolutionalEncoder.h"

#include <bit>

namespace quillary::psk {

int ConvolutionalEncoder::push(int bit) {
  register_ = ((register_ << 1) | (bit ? 1u : 0u)) & 0x1Fu;
  const int s0 = std::popcount(register_ & 0x17u) & 1;
  const int s1 = std::popcount(register_ & 0x19u) & 1;
  return 2 * s1 + s0;
}

void ConvolutionalEncoder::process(std::size_t count, const uint8_t* bits, uint8_t* symbols) {
  for (std::size_t i = 0; i < count; ++i) symbols[i] = static_cast<uint8_t>(push(bits[i]));
}

}  // namespace quillary::psk

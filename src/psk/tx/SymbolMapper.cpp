#include "psk/tx/SymbolMapper.h"

namespace quillary::psk {

void SymbolMapper::reset(int quarterTurns) {
  quarter_ = quarterTurns & 3;
  encoder_.reset();
}

std::complex<float> SymbolMapper::push(int bit) {
  int step;  // quarter turns
  if (qpsk_)
    step = 2 + encoder_.push(bit);  // v = 0, 1, 2, 3: 180, 270 (-90), 0, +90 degrees
  else
    step = bit ? 0 : 2;
  quarter_ = (quarter_ + step) & 3;
  return vectorOf(quarter_);
}

void SymbolMapper::process(std::size_t count, const uint8_t* bits, std::complex<float>* vectors) {
  for (std::size_t i = 0; i < count; ++i) vectors[i] = push(bits[i]);
}

std::complex<float> SymbolMapper::vectorOf(int quarterTurns) {
  switch (quarterTurns & 3) {
    case 0: return {1.0f, 0.0f};
    case 1: return {0.0f, 1.0f};
    case 2: return {-1.0f, 0.0f};
    default: return {0.0f, -1.0f};
  }
}

}  // namespace quillary::psk

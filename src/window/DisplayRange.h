#pragma once
// The frequency range the spectrum shows: its edges in Hz and the number of
// grid steps between them.
#include <cstdint>

namespace quillary {

struct DisplayRange {
  int16_t low = 1000;   // Hz
  int16_t high = 2000;  // Hz
  int16_t gridCount = 10;
};

}  // namespace quillary

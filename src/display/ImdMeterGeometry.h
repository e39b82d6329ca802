#pragma once
// The IMD meter: a scale of four zones over 0..50 dB and a bar for the best
// reading, which leaves the top third of the scale in sight.
#include <array>
#include <cstdint>

namespace quillary {

inline constexpr int kImdFullScaleDb = 50;

// Column where each zone ends: 15, 20, 30 and 50 dB of `width`.
std::array<int, 4> imdZoneEnds(int width);

// Columns the bar covers for the best reading (0 for none: 9999, or a
// reading of 0 dB and above); -50 dB and below fill the whole width.
int imdBarWidth(int width, int16_t best);

// First row of the bar: the top third stays free.
int imdBarTop(int height);

}  // namespace quillary

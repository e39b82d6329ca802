#pragma once
// The waterfall's colours: a perceptual map from near-black through violet
// and orange to pale yellow whose brightness rises evenly with the level
// (no rainbow, whose bright bands fall anywhere), and where a bin's level
// falls on it. The band's noise floor sits near the dark end, so a station
// a few dB out of the noise already shows as a lighter trace, and one
// kTopAboveFloorDb above the floor reaches the top.
#include <QRgb>

namespace quillary {

inline constexpr float kBottomBelowFloorDb = 4;
inline constexpr float kTopAboveFloorDb = 44;
inline constexpr int kColourSteps = 256;

// Step 0 (darkest) .. kColourSteps - 1 (brightest); clamped.
QRgb waterfallColour(int step);
// The step of a bin at `db` on a band whose floor is `floorDb`.
int colourStep(float db, float floorDb);

}  // namespace quillary

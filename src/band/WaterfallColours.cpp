#include "band/WaterfallColours.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quillary {

namespace {

// A dark-to-light map through violet, red and orange: nine points, evenly
// spaced, between which the colour runs in straight lines.
constexpr std::array<std::array<int, 3>, 9> kMapPoints{{{0, 0, 4},
                                                         {31, 12, 72},
                                                         {85, 15, 109},
                                                         {136, 34, 106},
                                                         {186, 54, 85},
                                                         {227, 89, 51},
                                                         {249, 142, 9},
                                                         {248, 201, 50},
                                                         {252, 255, 164}}};

std::array<QRgb, kColourSteps> makeColours() {
  std::array<QRgb, kColourSteps> colours{};
  constexpr int kSegments = static_cast<int>(kMapPoints.size()) - 1;
  for (int step = 0; step < kColourSteps; ++step) {
    const double at = static_cast<double>(step) * kSegments / (kColourSteps - 1);
    const int segment = std::min(static_cast<int>(at), kSegments - 1);
    const double share = at - segment;
    std::array<int, 3> rgb{};
    for (int c = 0; c < 3; ++c) {
      const double from = kMapPoints[segment][c], to = kMapPoints[segment + 1][c];
      rgb[c] = static_cast<int>(std::lround(from + share * (to - from)));
    }
    colours[step] = qRgb(rgb[0], rgb[1], rgb[2]);
  }
  return colours;
}

}  // namespace

QRgb waterfallColour(int step) {
  static const std::array<QRgb, kColourSteps> colours = makeColours();
  return colours[std::clamp(step, 0, kColourSteps - 1)];
}

// The square root spreads the few dB just above the floor, where weak
// stations stand, over more of the map than the strong ones' tens of dB.
int colourStep(float db, float floorDb) {
  const float share = (db - floorDb + kBottomBelowFloorDb) / (kBottomBelowFloorDb + kTopAboveFloorDb);
  if (!(share > 0)) return 0;  // also a bin that is no number
  return std::min(kColourSteps - 1, static_cast<int>(std::sqrt(share) * (kColourSteps - 1)));
}

}  // namespace quillary

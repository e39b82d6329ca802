#pragma once
// Where the phase-vector picture puts its circle and spokes, and where the
// level bar and squelch line fall.
#include <cstdint>

namespace quillary {

// Levels at or below this draw blue spokes scaled as for this level.
inline constexpr int32_t kWeakLevel = 30;

struct VectorGeometry {
  int16_t cx = 0;          // 0.9 * W / 2, rounded half to even
  int16_t cy = 0;          // 0.9 * H / 2, rounded half to even
  int16_t r = 0;           // spoke scale: v * 0.4 * H / 100, rounded half to even
  double circleRadius = 0; // 0.4 * H
  bool strong = false;     // level above kWeakLevel: red spokes
};

VectorGeometry vectorGeometry(double width, double height, int32_t level);

struct SpokeEnd {
  double x = 0;
  double y = 0;
};

// The end of the spoke for one vector point (x, y), +-1000 full scale.
SpokeEnd spokeEnd(const VectorGeometry& geometry, int32_t x, int32_t y);

// Pixel rows of the level picture: the bar fills rows barTop .. height - 1,
// the squelch line lies on row squelchRow (kept inside the picture).
struct LevelRows {
  int barTop = 0;
  int squelchRow = 0;
};

LevelRows levelRows(int height, int32_t level, int32_t squelch);

}  // namespace quillary

#include "display/VectorGeometry.h"

#include <algorithm>
#include <cmath>

#include "common/Numbers.h"

namespace quillary {

namespace {
int16_t rounded16(double value) {
  return toInt16(value).value_or(value < 0 ? INT16_MIN : INT16_MAX);
}

int rowFor(int height, double fraction) {
  return static_cast<int>(std::lround(height - height * fraction));
}
}  // namespace

VectorGeometry vectorGeometry(double width, double height, int32_t level) {
  const int32_t v = std::max(level, kWeakLevel);
  VectorGeometry geometry;
  geometry.cx = rounded16(0.9 * width / 2);
  geometry.cy = rounded16(0.9 * height / 2);
  geometry.r = rounded16(v * 0.4 * height / 100);
  geometry.circleRadius = 0.4 * height;
  geometry.strong = v != kWeakLevel;
  return geometry;
}

SpokeEnd spokeEnd(const VectorGeometry& geometry, int32_t x, int32_t y) {
  return {geometry.cx + static_cast<double>(x) * geometry.r / 1000.0,
          geometry.cy - static_cast<double>(y) * geometry.r / 1000.0};
}

LevelRows levelRows(int height, int32_t level, int32_t squelch) {
  LevelRows rows;
  rows.barTop = std::clamp(rowFor(height, level / 100.0), 0, height);
  // Threshold 0 falls on the bottom edge; keep it on the last visible row.
  rows.squelchRow = std::clamp(rowFor(height, squelch / 100.0), 0, std::max(height - 1, 0));
  return rows;
}

}  // namespace quillary

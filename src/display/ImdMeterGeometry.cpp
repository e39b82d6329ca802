#include "display/ImdMeterGeometry.h"

#include <algorithm>
#include <cmath>

namespace quillary {

namespace {
int columnAt(int width, int db) {
  return static_cast<int>(std::lround(static_cast<double>(width) * db / kImdFullScaleDb));
}
}  // namespace

std::array<int, 4> imdZoneEnds(int width) {
  return {columnAt(width, 15), columnAt(width, 20), columnAt(width, 30), width};
}

int imdBarWidth(int width, int16_t best) {
  const int db = std::clamp(-static_cast<int>(best), 0, kImdFullScaleDb);
  return columnAt(width, db);
}

int imdBarTop(int height) {
  return static_cast<int>(std::lround(height / 3.0));
}

}  // namespace quillary

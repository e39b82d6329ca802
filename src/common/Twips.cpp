#include "common/Twips.h"

#include <cmath>

namespace quillary {
namespace {

// A screen that reports no sensible DPI is taken as the common 96.
double usableDpi(double dpi) { return std::isfinite(dpi) && dpi > 0 ? dpi : 96.0; }

}  // namespace

int twipsToPixels(double twips, double dpi) {
  double pixels = std::round(twips * usableDpi(dpi) / kTwipsPerInch);
  if (!(pixels > -1e9)) return -1000000000;  // also NaN: a far-off, harmless place
  if (pixels > 1e9) return 1000000000;
  return static_cast<int>(pixels);
}

double pixelsToTwips(int pixels, double dpi) {
  return pixels * kTwipsPerInch / usableDpi(dpi);
}

}  // namespace quillary

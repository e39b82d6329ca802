#include "psk/rx/BandStations.h"

#include <algorithm>
#include <cmath>

#include "psk/rx/StationFinder.h"

namespace quillary::psk {

namespace {
// A station's window, +-0.75 baud (both tones of an idle and most of a
// station sending text); stations must stand the floor above it in
// that window (noise averaged over two seconds stays well below).
constexpr double kHalfWidthBaud = 0.75;
constexpr double kMinExcess = 1.0;
// A crowded band is more station than floor: the floor is the quietest
// fifth of it.
constexpr double kFloorQuantile = 0.2;
constexpr double kProductsBaud = 3.0;
}  // namespace

std::vector<double> stationsInBand(std::span<const double> power, double binHz, const PskMode& mode, double lowHz,
                                   double highHz) {
  std::vector<double> centres;
  if (!(binHz > 0) || power.empty() || !(highHz > lowHz)) return centres;
  StationShape shape;
  shape.halfWidth = std::max(1, static_cast<int>(std::lround(kHalfWidthBaud * mode.baud() / binHz)));
  shape.minExcess = kMinExcess;
  shape.floorQuantile = kFloorQuantile;
  shape.productsBins = kProductsBaud * mode.baud() / binHz;
  // Room beside the band's edges, so a station right at an edge is whole.
  const int margin = 2 * shape.halfWidth + 1;
  const int first = std::max(0, static_cast<int>(std::floor(lowHz / binHz)) - margin);
  const int last = std::min<int>(static_cast<int>(power.size()) - 1, static_cast<int>(std::ceil(highHz / binHz)) + margin);
  if (last <= first) return centres;
  for (const FoundStation& station : findStations(power.subspan(first, last - first + 1), shape)) {
    const double hz = (first + station.bin) * binHz;
    if (hz >= lowHz && hz <= highHz) centres.push_back(hz);
  }
  return centres;
}

}  // namespace quillary::psk

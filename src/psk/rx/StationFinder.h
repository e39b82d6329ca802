#pragma once
// Stations in a power spectrum: places where the power in a window about
// one station wide stands clearly above the floor of the band, at a peak of
// its own. A station cut off by the edge of the spectrum (its peak lies
// beyond it) is no station here: only peaks inside the range count, so
// whatever stands just outside it can never be mistaken for one inside.
#include <span>
#include <vector>

namespace quillary::psk {

struct FoundStation {
  double bin = 0;     // its centre, in (fractional) bins
  double excess = 0;  // power in the window over the floor's, less 1
};

struct StationShape {
  int halfWidth = 3;       // the window: 2 * halfWidth + 1 bins
  double minExcess = 0.5;  // how far a station must stand out
};

// `power`: bins of equal width; the floor is their median. Stations come
// sorted by bin; two peaks closer than a window are one station.
std::vector<FoundStation> findStations(std::span<const double> power, const StationShape& shape);

}  // namespace quillary::psk

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
  // The floor: this quantile of the bins (the median, unless the band is
  // crowded with stations).
  double floorQuantile = 0.5;
  // A station's third- and fifth-order products (1.5 and 2.5 baud out) and
  // its keying splatter are no stations: nothing within `productsBins` of a
  // bin 100 times as strong counts, nor anything 10000 times weaker than the
  // strongest bin (a spur beside a clean station, with no noise to hide
  // it). Bins compared one by one, so a strong station at the very edge,
  // too far out to count as found, still overshadows its products.
  double productsBins = 12;
};

// `power`: bins of equal width. Stations come sorted by bin; two peaks
// closer than a window are one station.
std::vector<FoundStation> findStations(std::span<const double> power, const StationShape& shape);

}  // namespace quillary::psk

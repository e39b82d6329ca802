#include "band/BandLevels.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quillary {

namespace {

struct BinRange {
  int first = 0, last = -1;
};

BinRange binsBetween(std::span<const float> bins, double lowHz, double highHz) {
  BinRange range;
  range.first = std::max(0, static_cast<int>(std::ceil(lowHz / kBinHz)));
  range.last = std::min(static_cast<int>(bins.size()) - 1, static_cast<int>(std::floor(highHz / kBinHz)));
  return range;
}

}  // namespace

float bandFloor(std::span<const float> bins) {
  const BinRange range = binsBetween(bins, kFloorLowHz, kFloorHighHz);
  if (range.last < range.first) return 0;
  std::vector<float> band(bins.begin() + range.first, bins.begin() + range.last + 1);
  const auto middle = band.begin() + static_cast<std::ptrdiff_t>(band.size() / 2);
  std::nth_element(band.begin(), middle, band.end());
  return *middle;
}

// Summed over the bins, a station's power counts each bin's share of the
// window's leakage once, as the noise in a bin does: the window's own
// widening cancels, and bins of noise scale to 3 kHz by their width.
double stationSnrDb(std::span<const float> power, double hz, double halfWidthHz) {
  const float floor = bandFloor(power);
  const BinRange range = binsBetween(power, hz - halfWidthHz, hz + halfWidthHz);
  if (!(floor > 0) || range.last < range.first) return kNoSignalDb;
  double above = 0;
  for (int k = range.first; k <= range.last; ++k) above += power[k] - floor;
  const double ratio = above * kBinHz / (floor * kNoiseBandwidthHz);
  return ratio > 0 ? std::max(kNoSignalDb, 10 * std::log10(ratio)) : kNoSignalDb;
}

}  // namespace quillary

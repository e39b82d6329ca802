#include "psk/rx/StationFinder.h"

#include <algorithm>
#include <cmath>

namespace quillary::psk {

namespace {

constexpr double kMaxBelowNeighbour = 1e-2;
constexpr double kMaxBelowStrongest = 1e-4;

double quantile(std::span<const double> values, double fraction) {
  std::vector<double> sorted(values.begin(), values.end());
  const auto at = sorted.begin() +
                  static_cast<std::ptrdiff_t>(std::clamp(fraction, 0.0, 1.0) * static_cast<double>(sorted.size() - 1));
  std::nth_element(sorted.begin(), at, sorted.end());
  return *at;
}

double peakNear(std::span<const double> power, double bin, double reach) {
  double peak = 0;
  for (int k = std::max(0, static_cast<int>(std::ceil(bin - reach)));
       k <= std::min<int>(static_cast<int>(power.size()) - 1, static_cast<int>(std::floor(bin + reach))); ++k)
    peak = std::max(peak, power[k]);
  return peak;
}

// The centre of the power above the floor around `bin`: for a station that
// is symmetric about its carrier (data, or the two tones of idle) that is
// the carrier, finer than a bin.
double centreOf(std::span<const double> power, double floor, int bin, int halfWidth) {
  double centre = bin;
  for (int pass = 0; pass < 3; ++pass) {
    const int middle = static_cast<int>(std::lround(centre));
    const int from = std::max(0, middle - halfWidth), to = std::min<int>(power.size() - 1, middle + halfWidth);
    double sum = 0, weighted = 0;
    for (int k = from; k <= to; ++k) {
      const double above = std::max(0.0, power[k] - floor);
      sum += above;
      weighted += above * k;
    }
    if (sum <= 0) break;
    centre = weighted / sum;
  }
  return centre;
}

}  // namespace

std::vector<FoundStation> findStations(std::span<const double> power, const StationShape& shape) {
  const int n = static_cast<int>(power.size());
  const int w = std::max(1, shape.halfWidth);
  std::vector<FoundStation> found;
  if (n < 2 * w + 3) return found;
  const double floor = quantile(power, shape.floorQuantile);
  if (!(floor > 0)) return found;
  // Peaks are looked for in the spectrum barely smoothed (a weak station
  // beside a strong one keeps its own peak there, where a window a station
  // wide would only see the strong one's slope); whether a peak is a
  // station is judged by the power in the whole window.
  std::vector<double> smooth(static_cast<std::size_t>(n), 0.0), excess(static_cast<std::size_t>(n), -1.0);
  for (int b = 1; b < n - 1; ++b) smooth[b] = power[b - 1] + power[b] + power[b + 1];
  for (int b = w; b < n - w; ++b) {
    double sum = 0;
    for (int k = b - w; k <= b + w; ++k) sum += power[k];
    excess[b] = sum / ((2 * w + 1) * floor) - 1;
  }
  std::vector<int> peaks;
  for (int b = w + 1; b < n - w - 1; ++b)
    if (excess[b] >= shape.minExcess && smooth[b] > smooth[b - 1] && smooth[b] >= smooth[b + 1]) peaks.push_back(b);
  // Strongest first, so a weaker peak within a window of a stronger one (the
  // other tone of an idling station) goes.
  std::sort(peaks.begin(), peaks.end(), [&](int a, int b) { return smooth[a] > smooth[b]; });
  std::vector<int> kept;
  for (int b : peaks)
    if (std::none_of(kept.begin(), kept.end(), [&](int k) { return std::abs(k - b) <= 2 * w; })) kept.push_back(b);
  const double strongest = *std::max_element(power.begin(), power.end());
  for (int b : kept) {
    const double centre = centreOf(power, floor, b, w + 1);
    // The centre may lie a little off the peak; it must stay inside.
    if (centre < w || centre > n - 1 - w) continue;
    const double own = peakNear(power, centre, w);
    if (own < kMaxBelowStrongest * strongest || own < kMaxBelowNeighbour * peakNear(power, centre, shape.productsBins))
      continue;
    found.push_back({centre, excess[static_cast<std::size_t>(std::lround(centre))]});
  }
  std::sort(found.begin(), found.end(), [](const FoundStation& a, const FoundStation& b) { return a.bin < b.bin; });
  return found;
}

}  // namespace quillary::psk

#include "psk/rx/StationSearch.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <span>
#include <vector>

#include "psk/rx/StationFinder.h"

namespace quillary::psk {

namespace {
// Frames of four symbols (bins of a quarter baud), every two symbols.
constexpr int kFrameSymbols = 4;
constexpr int kHopSymbols = 2;
// The part of the band that is clean: the receiver's wide filter passes
// +-6 baud flat at 16 samples per symbol.
constexpr double kCleanFraction = 6.0 / 16.0;
// A station's window: +-3 bins, +-0.75 baud, which holds both tones of an
// idling station and most of one sending text.
constexpr int kStationHalfWidth = 3;
// How far a station must stand out: this many standard deviations of the
// averaged noise, which shrink with the frames averaged (about
// 1 / sqrt(frames * window bins)), and never less than a quarter of the
// floor. Noise alone crosses it about once an hour.
constexpr double kSignificance = 6.0;
constexpr double kMinExcess = 0.25;
// How far out a station's products and splatter reach (see StationShape).
constexpr double kProductsBaud = 3.0;
// A station must still be there: the latest frame holds at least this part
// of the power the average has in its window (the average remembers a
// station that has just stopped, and the splatter of its switching off,
// for a while).
constexpr double kStillThere = 0.25;
// The station must stand within this much of the same place for this many
// frames before it counts: the first frames of a station that has just
// begun hold its switching on, which spreads over the band.
constexpr double kSteadyBaud = 0.1;
constexpr int kSteadyFrames = 2;
constexpr double kFirmBaud = 0.02;
// How far a station's centre may be off, one standard deviation in baud:
// this over its excess and the root of the independent frames averaged
// (the noise of each bin, and the station's own data, move the centre of
// its power). Measured on a weak station just come up out of the noise,
// whose first sightings still hold the noise before it and its switching
// on: at the edge of copy they miss by up to a third of a baud, twice as
// far as once it has been there a while, and a station in tune must not be
// left on such a sighting.
constexpr double kCentreSpread = 0.9;
constexpr int kMostFrames = 1024;
// An idling station's two tones stand a baud (four bins) apart, each this
// far over the floor at least (in the floor's units), and the bin between
// them, where the window's nulls of both fall, holds at most this part of
// the weaker (a station sending text fills it). A lone tone must stand
// farther out.
constexpr int kToneBins = 4;
constexpr double kIdleToneExcess = 1.0;
constexpr double kLoneToneExcess = 4.0;
constexpr double kLoneToneNear = 3.0;
constexpr double kIdleValley = 0.25;

// The place of a Hann-windowed tone whose power peaks at bin `k`, from the
// amplitudes of the peak and its stronger neighbour, above the floor.
double tonePlace(std::span<const double> power, int k, double floor) {
  const auto amplitude = [&](int i) { return std::sqrt(std::max(0.0, power[static_cast<std::size_t>(i)] - floor)); };
  const bool right = amplitude(k + 1) >= amplitude(k - 1);
  const double ratio = amplitude(right ? k + 1 : k - 1) / amplitude(k);
  const double shift = (2 * ratio - 1) / (ratio + 1);
  return k + (right ? shift : -shift);
}

bool isPeak(std::span<const double> power, int k) {
  return power[static_cast<std::size_t>(k)] >= power[static_cast<std::size_t>(k - 1)] &&
         power[static_cast<std::size_t>(k)] >= power[static_cast<std::size_t>(k + 1)];
}

double medianOf(std::span<const double> power) {
  std::vector<double> sorted(power.begin(), power.end());
  std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
  return sorted[sorted.size() / 2];
}

// The centre of a station near `bin` made of tones alone (none for one
// sending text, which fills the window's nulls between them). Idling, it
// is the midpoint of its two tones, however unequal a fading path makes
// them: two paths of different delays can leave one tone 15 dB under the
// other for a good part of a second, and the centre of the station's power
// then leans most of half a baud towards the stronger. A lone tone may be
// a carrier or the one tone of an idle that the path has left: near `here`
// (the receive frequency's bin), of the three places it allows the one
// nearest; farther out, where a station is first seen, the tone itself.
// `floor` is the band's median bin.
std::optional<double> toneCentre(std::span<const double> power, double floor, double bin, double here) {
  const int middle = static_cast<int>(std::lround(bin));
  const int last = static_cast<int>(power.size()) - 1 - kToneBins / 2;
  const auto over = [&](int i) { return power[static_cast<std::size_t>(i)] - floor; };
  std::optional<double> centre;
  double strongest = 0;
  for (int lower = middle - kToneBins; lower <= middle; ++lower) {
    const int upper = lower + kToneBins;
    if (lower < kToneBins / 2 || upper > last || !isPeak(power, lower) || !isPeak(power, upper)) continue;
    const double weaker = std::min(over(lower), over(upper));
    if (weaker < kIdleToneExcess * floor || over(lower + kToneBins / 2) > kIdleValley * weaker || weaker <= strongest)
      continue;
    strongest = weaker;
    centre = (tonePlace(power, lower, floor) + tonePlace(power, upper, floor)) / 2;
  }
  if (centre) return centre;
  if (middle < kToneBins / 2 || middle > last || !isPeak(power, middle) || !(over(middle) > kLoneToneExcess * floor) ||
      std::max(over(middle - kToneBins / 2), over(middle + kToneBins / 2)) > kIdleValley * over(middle))
    return std::nullopt;
  const double tone = tonePlace(power, middle, floor);
  if (std::abs(tone - here) > kLoneToneNear) return tone;
  double nearest = tone;
  for (double place : {tone - kToneBins / 2, tone + kToneBins / 2})
    if (std::abs(place - here) < std::abs(nearest - here)) nearest = place;
  return nearest;
}
}  // namespace

bool StationSearch::create(int samplesPerSymbol, double captureBaud, int averageFrames) {
  // A station in the capture range must be seen whole: its window and a
  // bin beside it inside the clean band.
  if (samplesPerSymbol < 8 || !(captureBaud >= 0.5 && captureBaud <= kCleanFraction * samplesPerSymbol - 1.0) ||
      averageFrames < kShortFrames || averageFrames > kMostFrames)
    return false;
  averageFrames_ = averageFrames;
  samplesPerSymbol_ = samplesPerSymbol;
  captureBaud_ = captureBaud;
  const int size = kFrameSymbols * samplesPerSymbol;
  fft_ = ComplexFft(size);
  window_.resize(static_cast<std::size_t>(size));
  for (int n = 0; n < size; ++n)
    window_[n] = static_cast<float>(0.5 - 0.5 * std::cos(2 * std::numbers::pi * (n + 0.5) / size));
  ring_.assign(static_cast<std::size_t>(size), {});
  reset();
  return true;
}

void StationSearch::reset() {
  std::fill(ring_.begin(), ring_.end(), std::complex<float>{});
  next_ = 0;
  sinceFrame_ = 0;
  average_.assign(ring_.size(), 0.0);
  latest_.assign(ring_.size(), 0.0);
  frames_ = 0;
  candidate_.reset();
  steadyFrames_ = firmFrames_ = 0;
  nearest_.reset();
}

void StationSearch::process(std::size_t count, const std::complex<float>* wide) {
  if (ring_.empty()) return;  // never created
  const std::size_t hop = static_cast<std::size_t>(kHopSymbols * samplesPerSymbol_);
  for (std::size_t i = 0; i < count; ++i) {
    ring_[next_] = wide[i];
    next_ = (next_ + 1) % ring_.size();
    if (++sinceFrame_ < hop) continue;
    sinceFrame_ = 0;
    frame();
  }
}

void StationSearch::moved(double baud) {
  const int size = static_cast<int>(average_.size());
  const double shift = baud * size / samplesPerSymbol_;  // in bins
  const auto shifted = [&](const std::vector<double>& from) {
    std::vector<double> to(from.size());
    for (int k = 0; k < size; ++k) {
      const double source = std::clamp(k + shift, 0.0, size - 1.0);
      const int below = std::min(static_cast<int>(source), size - 2);
      const double fraction = source - below;
      to[k] = (1 - fraction) * from[below] + fraction * from[below + 1];
    }
    return to;
  };
  average_ = shifted(average_);
  latest_ = shifted(latest_);
  if (candidate_) candidate_->baud -= baud;
  if (nearest_) nearest_->baud -= baud;
}

void StationSearch::freshen() { frames_ = std::min(frames_, kMinFrames); }

void StationSearch::frame() {
  const int size = fft_.size();
  std::complex<float>* in = fft_.input();
  for (int n = 0; n < size; ++n) in[n] = ring_[(next_ + n) % ring_.size()] * window_[n];
  fft_.run();
  const std::complex<float>* out = fft_.output();
  // Until the average is full every frame weighs the same.
  ++frames_;
  const double weight = 1.0 / std::min(frames_, averageFrames_);
  for (int k = 0; k < size; ++k) {
    // Lowest frequency first: bin (k + size / 2) mod size.
    const int from = (k + size / 2) % size;
    latest_[k] = std::norm(out[from]);
    average_[k] += weight * (latest_[k] - average_[k]);
  }
  const std::optional<Sighting> now = nearestNow();
  const double moved = now && candidate_ ? std::abs(now->baud - candidate_->baud) : 1e9;
  steadyFrames_ = moved <= kSteadyBaud ? steadyFrames_ + 1 : (now ? 1 : 0);
  firmFrames_ = moved <= kFirmBaud ? firmFrames_ + 1 : 0;
  candidate_ = now;
  nearest_.reset();
  if (steadyFrames_ >= kSteadyFrames) nearest_ = now;
}

std::optional<StationSearch::Sighting> StationSearch::nearestNow() const {
  if (!ready()) return std::nullopt;
  const int size = fft_.size();
  const double binBaud = static_cast<double>(samplesPerSymbol_) / size;
  const int clean = static_cast<int>(kCleanFraction * samplesPerSymbol_ / binBaud);
  const int centre = size / 2;
  const std::span<const double> band(average_.data() + (centre - clean), static_cast<std::size_t>(2 * clean + 1));
  // (A longer average is trusted no more than the short one: through
  // fading its frames are not independent.)
  const double independentFrames = std::min(frames_, 2 * kShortFrames) / 2.0;
  const double independent = independentFrames * (2 * kStationHalfWidth + 1);
  StationShape shape;
  shape.halfWidth = kStationHalfWidth;
  shape.minExcess = std::max(kMinExcess, kSignificance / std::sqrt(independent));
  shape.productsBins = kProductsBaud / binBaud;
  const std::vector<FoundStation> stations = findStations(band, shape);
  const auto gone = [&](const FoundStation& station) {
    const int middle = static_cast<int>(std::lround(station.bin)) + (centre - clean);
    double now = 0, before = 0;
    for (int k = middle - kStationHalfWidth; k <= middle + kStationHalfWidth; ++k) {
      now += latest_[k];
      before += average_[k];
    }
    return now < kStillThere * before;
  };
  if (stations.empty()) return std::nullopt;
  const double floor = medianOf(band);
  std::optional<Sighting> nearest;
  for (const FoundStation& station : stations) {
    // (The capture range holds the station's power, wherever its tones
    // place its carrier.)
    if (std::abs((station.bin - clean) * binBaud) > captureBaud_ || gone(station)) continue;
    const double baud = (toneCentre(band, floor, station.bin, clean).value_or(station.bin) - clean) * binBaud;
    if (!nearest || std::abs(baud) < std::abs(nearest->baud))
      nearest = Sighting{baud, kCentreSpread / (station.excess * std::sqrt(independentFrames))};
  }
  return nearest;
}

}  // namespace quillary::psk

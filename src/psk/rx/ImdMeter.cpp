#include "psk/rx/ImdMeter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillary::psk {

namespace {
// Symbols between a wide sample and the decision on it (filters, timing).
constexpr int kDecisionDelaySymbols = 4;
// The fundamentals must stand 30 dB above the noise beside them, the
// third-order products 15 dB to be measured: a single bin of noise swings
// by several dB, and nearer the noise the figure of a -30 dB station read
// 3 to 4 dB high (better no reading than a wrong one).
constexpr double kMinimumSnr = 1000.0;
constexpr double kProductsOverNoise = 31.6;
// Products nearer the noise than that are bounded instead, when their two
// bins hold no more than noise alone would in 19 windows of 20 (complex
// Gaussian noise, four degrees of freedom: up to this many times the mean
// noise of one bin); between the two there is no reading, since a bound
// there would stand several dB above a station's true figure. The noise in
// the two bins stays under the second figure times a bin's mean noise but
// once in a hundred windows, so the products' amplitude is at most the
// measured one and that much more. A bound is worth a reading only when it
// already says the signal is good (a clean station at +10 dB in 3 kHz
// bounds itself near -28 dB, at +17 dB near -35; below about +7 dB it
// gives no reading).
constexpr double kNoiseOnly = 4.74;
constexpr double kNoiseQuantile = 6.64;
constexpr double kCleanBoundDb = -25.0;
// Through a fading path the channel weighs the tones and the products, a
// baud apart, differently wherever it changes across the station (two
// paths cancelling in a notch pass the products beside it better than the
// tones). A window is read only where the path looks even: as strong as
// the station has been over the last seconds, its two halves as strong as
// each other, the two tones (and the products, where they stand clear of
// the noise) as strong as each other within these margins.
constexpr double kFadedShare = 0.5;
constexpr double kLongSeconds = 4.0;
constexpr double kHalvesDb = 3.0;
constexpr double kToneImbalanceDb = 3.0;
constexpr double kProductImbalanceDb = 6.0;
// The tones of each quarter window of the run of idle (see judgeQuarter())
// may differ by this much at most, and over the last few dozen quarters by
// this much in the mean (root of the mean square).
constexpr int kParts = 4;
constexpr double kQuarterImbalanceDb = 1.5;
constexpr double kSelectiveDb = 2.0;
constexpr double kSelectiveSmoothing = 1.0 / 32;
constexpr double kNoBalanceDb = 10.0;
// Within the main lobe of the window's tones.
constexpr double kOffsetStepHz = 0.5;
}  // namespace

bool ImdMeter::create(double sampleRate, int samplesPerSymbol) {
  if (!(sampleRate > 0) || samplesPerSymbol < 4) return false;
  sampleRate_ = sampleRate;
  samplesPerSymbol_ = samplesPerSymbol;
  symbolsPerSecond_ = static_cast<int>(std::lround(sampleRate / samplesPerSymbol));
  symbolsPerWindow_ = std::max(8, (symbolsPerSecond_ + 1) / 2);
  window_ = static_cast<std::size_t>(symbolsPerWindow_) * samplesPerSymbol;
  longSmoothing_ = 1.0 / (kLongSeconds * sampleRate);
  margin_ = static_cast<std::size_t>(kDecisionDelaySymbols) * samplesPerSymbol;
  ring_.assign(window_ + margin_, {});
  hann_.resize(window_);
  for (std::size_t n = 0; n < window_; ++n)
    hann_[n] = static_cast<float>(0.5 - 0.5 * std::cos(2 * std::numbers::pi * (n + 0.5) / window_));
  reset();
  return true;
}

void ImdMeter::reset() {
  std::fill(ring_.begin(), ring_.end(), std::complex<float>{});
  next_ = filled_ = 0;
  cleanRun_ = 0;
  runSwing_ = selective_ = 0;
  quarters_ = 0;
  sinceReading_ = symbolsPerSecond_;
  longPower_ = 0;
  reading_.reset();
}

void ImdMeter::process(std::size_t count, const std::complex<float>* wide) {
  for (std::size_t i = 0; i < count; ++i) {
    longPower_ += longSmoothing_ * (std::norm(wide[i]) - longPower_);
    ring_[next_] = wide[i];
    next_ = (next_ + 1) % ring_.size();
  }
  filled_ = std::min(ring_.size(), filled_ + count);
}

void ImdMeter::symbol(bool cleanReversal) {
  cleanRun_ = cleanReversal ? cleanRun_ + 1 : 0;
  if (cleanRun_ == 0) runSwing_ = 0;
  ++sinceReading_;
  // A quarter window of confirmed clean idle each time one has passed.
  const int quarter = symbolsPerWindow_ / kParts;
  if (cleanRun_ >= quarter + 2 * kDecisionDelaySymbols && (cleanRun_ - 2 * kDecisionDelaySymbols) % quarter == 0 &&
      filled_ >= margin_ + window_ / kParts)
    judgeQuarter();
  // The window must lie wholly inside the clean run, decisions lagging the
  // samples by a few symbols; and a second must have passed since the last
  // reading.
  if (cleanRun_ < symbolsPerWindow_ + 2 * kDecisionDelaySymbols || filled_ < ring_.size() ||
      sinceReading_ < symbolsPerSecond_)
    return;
  if (measure()) sinceReading_ = 0;
}

double ImdMeter::power(double hz, std::size_t start) const { return power(hz, start, window_); }

// Of `length` samples from `start` (a whole window or a quarter), under a
// Hann window of that length.
double ImdMeter::power(double hz, std::size_t start, std::size_t length) const {
  // The probe turns by one step a sample: a running phasor instead of a
  // sine and cosine per sample (a window is at most a second, so the
  // rounding of the repeated product stays far below the figure's dB).
  const std::size_t step = window_ / length;
  const std::complex<double> turn = std::polar(1.0, -2 * std::numbers::pi * hz / sampleRate_);
  std::complex<double> probe{1.0, 0.0};
  std::complex<double> sum{};
  for (std::size_t n = 0; n < length; ++n) {
    const auto& x = ring_[(start + n) % ring_.size()];
    sum += static_cast<double>(hann_[n * step]) * std::complex<double>(x) * probe;
    probe *= turn;
  }
  return std::norm(sum);
}

// Where two paths of different delays both carry the station, the path's
// response across it changes from moment to moment, and the tones, a baud
// apart, swing against each other as the paths' phases turn (the products,
// farther apart, swing more). Through one path, or through two whose
// delays lie close against the symbol, the tones stay balanced throughout.
// Each quarter of a window of the run of clean idle is judged as it is
// confirmed (its tones at the receive frequency: a station a little off
// tune loses as much of one tone as of the other), and the run keeps the
// widest swing.
void ImdMeter::judgeQuarter() {
  const std::size_t length = window_ / kParts;
  const std::size_t start = (next_ + ring_.size() - margin_ - length) % ring_.size();
  const double baud = sampleRate_ / samplesPerSymbol_;
  const double lower = power(-baud / 2, start, length), upper = power(baud / 2, start, length);
  const double swing =
      lower > 0 && upper > 0 ? std::min(std::abs(10 * std::log10(lower / upper)), kNoBalanceDb) : kNoBalanceDb;
  runSwing_ = std::max(runSwing_, swing);
  // Until the mean has its few dozen quarters each weighs the same.
  ++quarters_;
  selective_ += std::max(kSelectiveSmoothing, 1.0 / quarters_) * (swing * swing - selective_);
}

double ImdMeter::carrierOffset(std::size_t start) const {
  // A station a little off tune moves all its tones alike; find where the
  // fundamentals peak, within a quarter baud.
  const double baud = sampleRate_ / samplesPerSymbol_;
  double best = 0, bestPower = -1;
  for (double offset = -baud / 4; offset <= baud / 4; offset += kOffsetStepHz) {
    const double p = power(offset - baud / 2, start) + power(offset + baud / 2, start);
    if (p > bestPower) {
      bestPower = p;
      best = offset;
    }
  }
  return best;
}

double ImdMeter::noiseBeside(double offset, std::size_t start) const {
  // Where a clean idle has no energy at all: every sixteenth of a baud out
  // to +-1.75 baud that lies a quarter baud or more from each of the four
  // tones. Many points, so one quiet bin cannot pass noise off as a clean
  // signal.
  const double baud = sampleRate_ / samplesPerSymbol_;
  double sum = 0;
  int count = 0;
  for (int k = -28; k <= 28; ++k) {
    const double at = k / 16.0;  // in baud
    const bool nearTone = std::abs(std::abs(at) - 0.5) < 0.25 || std::abs(std::abs(at) - 1.5) < 0.25;
    if (nearTone) continue;
    sum += power(offset + at * baud, start);
    ++count;
  }
  return sum / count;
}

// Whether the path looks even over the window (see kFadedShare) and over
// the run of idle (see judgeQuarter()).
bool ImdMeter::evenPath(std::size_t start) const {
  if (runSwing_ > kQuarterImbalanceDb || std::sqrt(selective_) > kSelectiveDb) return false;
  double halves[2] = {0, 0};
  for (std::size_t n = 0; n < window_; ++n) halves[2 * n / window_] += std::norm(ring_[(start + n) % ring_.size()]);
  const double windowPower = halves[0] + halves[1];
  if (windowPower / static_cast<double>(window_) < kFadedShare * longPower_) return false;
  return halves[0] > 0 && halves[1] > 0 && std::abs(10 * std::log10(halves[0] / halves[1])) <= kHalvesDb;
}

bool ImdMeter::measure() {
  const std::size_t start = next_;  // the oldest sample: the window ends `margin_` before now
  if (!evenPath(start)) return false;
  const double baud = sampleRate_ / samplesPerSymbol_;
  const double f = carrierOffset(start);
  const double lower = power(f - baud / 2, start), upper = power(f + baud / 2, start);
  // A clean idle's two tones are equal; so are an amplifier's products.
  if (!(lower > 0) || !(upper > 0) || std::abs(10 * std::log10(lower / upper)) > kToneImbalanceDb) return false;
  const double fundamentals = lower + upper;
  const double lowerThird = power(f - 1.5 * baud, start), upperThird = power(f + 1.5 * baud, start);
  const double thirds = lowerThird + upperThird;
  const double noise = noiseBeside(f, start);
  // Trust a figure only when the fundamentals stand well clear of the noise.
  if (!(noise > 0) || fundamentals / 2 < kMinimumSnr * noise) return false;
  if (thirds / 2 >= kProductsOverNoise * noise) {
    if (std::abs(10 * std::log10((lowerThird + noise) / (upperThird + noise))) > kProductImbalanceDb) return false;
    // The noise in the products' bins is taken out of them.
    reading_ = static_cast<int>(
        std::lround(10 * std::log10((thirds - 2 * noise) / (fundamentals - 2 * noise))));
    return true;
  }
  if (thirds > kNoiseOnly * noise) return false;
  // (Bins quieter than the noise's mean are taken at the mean: a window
  // that happens to be quiet there says nothing more of the products.)
  const double most = std::pow(std::sqrt(std::max(thirds, 2 * noise)) + std::sqrt(kNoiseQuantile * noise), 2);
  const double bound = 10 * std::log10(most / fundamentals);
  if (bound > kCleanBoundDb) return false;
  reading_ = static_cast<int>(std::lround(bound));
  return true;
}

std::optional<int> ImdMeter::take() {
  auto reading = reading_;
  reading_.reset();
  return reading;
}

}  // namespace quillary::psk

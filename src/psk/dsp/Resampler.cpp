#include "psk/dsp/Resampler.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <numeric>
#include <stdexcept>

namespace quillary::psk {
namespace {

constexpr double kStopbandDb = 80.0;
constexpr double kPassFraction = 0.45;  // of the lower rate: flat up to here
constexpr double kStopFraction = 0.5;   // ... rejected from here on
constexpr uint64_t kMaxExactPhases = 1024;
constexpr int kInterpolatedPhases = 1024;

// Zeroth-order modified Bessel function, for the Kaiser window.
double besselI0(double x) {
  double sum = 1.0, term = 1.0;
  for (int k = 1; k < 50; ++k) {
    term *= (x / (2 * k)) * (x / (2 * k));
    sum += term;
    if (term < 1e-12 * sum) break;
  }
  return sum;
}

uint64_t milliHertz(double rate) {
  if (!std::isfinite(rate) || rate <= 0.0 || rate > 1e9)
    throw std::invalid_argument("sample rate must be a positive number of hertz");
  return static_cast<uint64_t>(std::llround(rate * 1000.0));
}

}  // namespace

struct Resampler::State {
  uint64_t step = 1;   // input samples per output sample: step / den
  uint64_t den = 1;
  int half = 1;        // taps on each side of the output time
  int phases = 1;      // rows of the coefficient table
  bool exact = true;   // one row per possible fractional position
  std::vector<float> table;  // (phases + 1) rows of 2 * half taps

  std::vector<float> history;  // input from absolute index `base` on
  int64_t base = 0;
  int64_t received = 0;        // input samples given so far
  int64_t nextIndex = 0;       // integer part of the next output time
  uint64_t nextRemainder = 0;  // fractional part, in 1/den

  State(double inputRate, double outputRate);
  void buildTable(double inputRate, double outputRate);
  void emit(int64_t limit, std::vector<float>& out);
  float outputAt(int64_t index, uint64_t remainder) const;
  void clear();
};

Resampler::State::State(double inputRate, double outputRate) {
  const uint64_t in = milliHertz(inputRate), out = milliHertz(outputRate);
  const uint64_t divisor = std::gcd(in, out);
  step = in / divisor;
  den = out / divisor;
  buildTable(inputRate, outputRate);
  clear();
}

void Resampler::State::buildTable(double inputRate, double outputRate) {
  const double lower = std::min(inputRate, outputRate);
  const double transition = (kStopFraction - kPassFraction) * lower / inputRate;  // cycles per input sample
  const double cutoff = (kPassFraction + kStopFraction) / 2 * lower / inputRate;
  const int taps = static_cast<int>(std::ceil((kStopbandDb - 7.95) / (2.285 * 2 * std::numbers::pi * transition)));
  half = std::max(2, (taps + 1) / 2);
  const double beta = 0.1102 * (kStopbandDb - 8.7);
  exact = den <= kMaxExactPhases;
  phases = exact ? static_cast<int>(den) : kInterpolatedPhases;
  const int width = 2 * half;
  table.assign(static_cast<std::size_t>(phases + 1) * width, 0.0f);
  for (int p = 0; p <= phases; ++p) {
    const double frac = static_cast<double>(p) / phases;
    for (int m = 0; m < width; ++m) {
      const double tau = frac - (m - half + 1);  // output time minus input time
      const double x = tau / half;
      if (std::abs(x) >= 1.0) continue;
      const double window = besselI0(beta * std::sqrt(1 - x * x)) / besselI0(beta);
      const double arg = 2 * cutoff * tau;
      const double sinc = arg == 0.0 ? 1.0 : std::sin(std::numbers::pi * arg) / (std::numbers::pi * arg);
      table[static_cast<std::size_t>(p) * width + m] = static_cast<float>(2 * cutoff * sinc * window);
    }
  }
}

void Resampler::State::clear() {
  // Input before the stream is silence.
  history.assign(static_cast<std::size_t>(half), 0.0f);
  base = -half;
  received = 0;
  nextIndex = 0;
  nextRemainder = 0;
}

float Resampler::State::outputAt(int64_t index, uint64_t remainder) const {
  const int width = 2 * half;
  const float* x = history.data() + (index - half + 1 - base);
  if (exact) {
    const float* c = table.data() + remainder * width;
    float sum = 0.0f;
    for (int m = 0; m < width; ++m) sum += x[m] * c[m];
    return sum;
  }
  const double position = static_cast<double>(remainder) / den * phases;
  const int p = std::min(phases - 1, static_cast<int>(position));
  const float mu = static_cast<float>(position - p);
  const float* c0 = table.data() + static_cast<std::size_t>(p) * width;
  const float* c1 = c0 + width;
  float sum = 0.0f;
  for (int m = 0; m < width; ++m) sum += x[m] * (c0[m] + mu * (c1[m] - c0[m]));
  return sum;
}

// Emits every output whose taps reach no further than input index limit - 1.
void Resampler::State::emit(int64_t limit, std::vector<float>& out) {
  while (nextIndex + half <= limit - 1) {
    out.push_back(outputAt(nextIndex, nextRemainder));
    nextRemainder += step;
    nextIndex += static_cast<int64_t>(nextRemainder / den);
    nextRemainder %= den;
  }
  const int64_t keepFrom = nextIndex - half + 1;
  if (keepFrom > base) {
    const auto drop = static_cast<std::size_t>(std::min<int64_t>(keepFrom - base, static_cast<int64_t>(history.size())));
    history.erase(history.begin(), history.begin() + static_cast<std::ptrdiff_t>(drop));
    base += static_cast<int64_t>(drop);
  }
}

Resampler::Resampler(double inputRate, double outputRate)
    : state_(std::make_unique<State>(inputRate, outputRate)) {}
Resampler::~Resampler() = default;
Resampler::Resampler(Resampler&&) noexcept = default;
Resampler& Resampler::operator=(Resampler&&) noexcept = default;

void Resampler::process(std::size_t count, const float* in, std::vector<float>& out) {
  State& s = *state_;
  s.history.insert(s.history.end(), in, in + count);
  s.received += static_cast<int64_t>(count);
  s.emit(s.base + static_cast<int64_t>(s.history.size()), out);
}

void Resampler::flush(std::vector<float>& out) {
  State& s = *state_;
  // Outputs up to the end of the input, with silence as the lookahead.
  const int64_t end = s.received;
  s.history.resize(static_cast<std::size_t>(end + s.half - s.base), 0.0f);
  while (s.nextIndex < end) {
    out.push_back(s.outputAt(s.nextIndex, s.nextRemainder));
    s.nextRemainder += s.step;
    s.nextIndex += static_cast<int64_t>(s.nextRemainder / s.den);
    s.nextRemainder %= s.den;
  }
  s.clear();
}

void Resampler::reset() { state_->clear(); }

std::size_t Resampler::lookahead() const { return static_cast<std::size_t>(state_->half); }

}  // namespace quillary::psk

#include "psk/rx/QpskViterbi.h"

#include <algorithm>
#include <bit>
#include <complex>

#include "psk/rx/FadingPredictor.h"

namespace quillary::psk {

namespace {
using Complex = std::complex<float>;
// A phase of p quarter turns.
constexpr std::array<Complex, 4> kQuarterTurns{Complex{1, 0}, Complex{0, 1}, Complex{-1, 0}, Complex{0, -1}};
constexpr unsigned kRegisterMask = 0x1F;
// The quarter turns a step adds for symbol value v: 180 + 90 v degrees.
unsigned char turned(unsigned char phase, int v) { return static_cast<unsigned char>((phase + v + 2) & 3); }
}  // namespace

int qpskSymbolOf(unsigned reg) {
  const int s0 = std::popcount(reg & 0x17u) & 1;
  const int s1 = std::popcount(reg & 0x19u) & 1;
  return 2 * s1 + s0;
}

bool QpskViterbi::create(int depth) {
  if (depth < 5 || depth > 64) return false;
  depth_ = depth;
  survivors_.assign(depth + 1, {});
  reset();
  return true;
}

void QpskViterbi::reset() {
  // Every state equally likely: the receiver may join in the middle of a
  // transmission.
  pathMetric_.fill(0.0f);
  for (Readings& path : readings_) path.fill({});
  phases_.fill(0);
  predictor_.reset();
  steady_ = 0;
  for (auto& row : survivors_) row.fill(0);
  newest_ = -1;
  seen_ = 0;
}

// The better of the two paths that end in `state`: the state holds the last
// kHistoryBits bits, newest at the bottom, so its last five are the
// encoder's register (the same symbol for both) and the predecessors differ
// in their oldest bit. The metric is the log-likelihood of the sample
// against the gain predicted times the symbol, less what all steps share
// (|sample|^2, and the scale of the noise, which the weight stands for).
QpskViterbi::Step QpskViterbi::extend(unsigned state, Complex sample, float weight,
                                      const std::array<Complex, kStates>& gains) const {
  const int v = qpskSymbolOf(state & kRegisterMask);
  Step step{-1e30f, 0, 0};
  for (unsigned oldest = 0; oldest < 2; ++oldest) {
    const unsigned from = (state >> 1) | (oldest << (kHistoryBits - 1));
    const unsigned char phase = turned(phases_[from], v);
    const Complex expected = gains[from] * kQuarterTurns[phase];
    const float metric = pathMetric_[from] + ((sample * std::conj(expected)).real() - 0.5f * std::norm(expected)) * weight;
    if (metric > step.metric) step = {metric, static_cast<unsigned char>(oldest), phase};
  }
  return step;
}

std::optional<int> QpskViterbi::process(Complex sample, float weight) {
  newest_ = (newest_ + 1) % static_cast<int>(survivors_.size());
  auto& row = survivors_[newest_];
  std::array<float, kStates> next{};
  std::array<Readings, kStates> readings;
  std::array<unsigned char, kStates> phases{};
  // Each path goes on in two states: its prediction serves both.
  std::array<Complex, kStates> gains;
  for (unsigned path = 0; path < kStates; ++path) gains[path] = predictor_.predict(readings_[path]);
  float best = -1e30f;
  unsigned leader = 0;
  for (unsigned state = 0; state < kStates; ++state) {
    const Step step = extend(state, sample, weight, gains);
    next[state] = step.metric;
    row[state] = step.oldestBit;
    phases[state] = step.phase;
    const unsigned from = (state >> 1) | (static_cast<unsigned>(step.oldestBit) << (kHistoryBits - 1));
    // The sample turned back by the path's phase reads the gain.
    const Complex reading = sample * std::conj(kQuarterTurns[step.phase]);
    if (weight == 0.0f) {
      readings[state].fill(reading);
    } else {
      readings[state][0] = reading;
      std::copy(readings_[from].begin(), readings_[from].end() - 1, readings[state].begin() + 1);
    }
    if (step.metric > best) {
      best = step.metric;
      leader = state;
    }
  }
  readings_ = readings;
  phases_ = phases;
  learnChannel(leader, weight);
  // Keep the metrics near zero so they never lose precision.
  for (unsigned state = 0; state < kStates; ++state) pathMetric_[state] = next[state] - best;
  ++seen_;
  if (seen_ <= depth_) return std::nullopt;
  return traceBack();
}

// The readings of the path that leads now, once they all are of the
// signal: their oldest are decisions some ten symbols back, which the
// symbols after have mostly settled.
void QpskViterbi::learnChannel(unsigned leader, float weight) {
  steady_ = weight == 0.0f ? 0 : std::min(steady_ + 1, FadingPredictor::kReadings);
  if (steady_ < FadingPredictor::kReadings) return;
  predictor_.learn(readings_[leader]);
}

int QpskViterbi::traceBack() const {
  unsigned state = static_cast<unsigned>(
      std::max_element(pathMetric_.begin(), pathMetric_.end()) - pathMetric_.begin());
  const int rows = static_cast<int>(survivors_.size());
  int index = newest_;
  for (int step = 0; step < depth_; ++step) {
    state = (state >> 1) | (static_cast<unsigned>(survivors_[index][state]) << (kHistoryBits - 1));
    index = (index - 1 + rows) % rows;
  }
  // `state` now is the state after the symbol `depth_` back; its newest bit
  // is the bit of that symbol.
  return static_cast<int>(state & 1u);
}

}  // namespace quillary::psk

#include "psk/rx/QpskViterbi.h"

#include <algorithm>
#include <bit>
#include <complex>

namespace quillary::psk {

namespace {
// The phase change for symbol v: 180 + 90 v degrees.
constexpr std::array<std::complex<float>, 4> kChange{std::complex<float>{-1, 0}, std::complex<float>{0, -1},
                                                     std::complex<float>{1, 0}, std::complex<float>{0, 1}};
// The newest symbol's share of a path's reference: the older ones fade by
// 0.4 a symbol, so the reference reaches back some two symbols. Longer
// would hold less noise on a steady channel but lag a phase that a fade
// turns quickly (measured on the standard HF channel: shares of 0.55 to
// 0.65 copy best; 0.5 loses through a 1 Hz spread, 1 is the plain
// differential reading).
constexpr float kNewestShare = 0.6f;
constexpr unsigned kRegisterMask = 0x1F;
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
  references_.fill({});
  for (auto& row : survivors_) row.fill(0);
  newest_ = -1;
  seen_ = 0;
}

// The better of the two paths that end in `state`: the state holds the last
// kHistoryBits bits, newest at the bottom, so its last five are the
// encoder's register (the same change for both) and the predecessors differ
// in their oldest bit.
QpskViterbi::Step QpskViterbi::extend(unsigned state, std::complex<float> sample, float weight) const {
  const std::complex<float> change = kChange[qpskSymbolOf(state & kRegisterMask)];
  Step step{-1e30f, 0, {}};
  for (unsigned oldest = 0; oldest < 2; ++oldest) {
    const unsigned from = (state >> 1) | (oldest << (kHistoryBits - 1));
    const std::complex<float> expected = references_[from] * change;
    const float metric = pathMetric_[from] + (sample * std::conj(expected)).real() * weight;
    if (metric > step.metric) step = {metric, static_cast<unsigned char>(oldest), expected};
  }
  return step;
}

std::optional<int> QpskViterbi::process(std::complex<float> sample, float weight) {
  newest_ = (newest_ + 1) % static_cast<int>(survivors_.size());
  auto& row = survivors_[newest_];
  std::array<float, kStates> next{};
  std::array<std::complex<float>, kStates> references{};
  float best = -1e30f;
  for (unsigned state = 0; state < kStates; ++state) {
    const Step step = extend(state, sample, weight);
    next[state] = step.metric;
    row[state] = step.oldestBit;
    references[state] = weight == 0.0f ? sample : kNewestShare * sample + (1 - kNewestShare) * step.expected;
    best = std::max(best, step.metric);
  }
  references_ = references;
  // Keep the metrics near zero so they never lose precision.
  for (unsigned state = 0; state < kStates; ++state) pathMetric_[state] = next[state] - best;
  ++seen_;
  if (seen_ <= depth_) return std::nullopt;
  return traceBack();
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

#include "psk/rx/BpskTrellis.h"

#include <algorithm>

namespace quillary::psk {

namespace {
// A symbol without a carrier still tells the decoder to expect the idle:
// the matched filter's leak weighs in by this little.
constexpr double kNoCarrierStrength = 1e-12;
}  // namespace

bool BpskTrellis::create(int delay) {
  if (delay < 1 || delay > kMaxDelay) return false;
  delay_ = delay;
  reset();
  return true;
}

void BpskTrellis::reset() {
  paths_ = {};
  from_ = {};
  lead_ = 0;
  steps_ = 0;
}

// The metric of the step from state (p, s) to (s, n): s Re(y h*) - kLeak s
// p |h|^2. The first part is the sample against the reference, weighed by
// the strength the reference shows; the second the matched filter's own
// leak from the symbol before, expected, not evidence (the leak from the
// symbol after is the next step's).
double BpskTrellis::weigh(int state, int p, Complex y, bool carrier, Complex h) const {
  const int s = state >> 1;
  const double against = carrier ? (y * std::conj(h)).real() : 0.0;
  const double strength = !carrier || std::norm(h) == 0 ? kNoCarrierStrength : std::norm(h);
  return paths_[2 * p + s].metric + bpskSign(s) * against - kBpskLeak * bpskSign(s) * bpskSign(p) * strength;
}

// A branch's metric from the log-likelihood of what was received (none
// without a carrier). Where nothing tells the branches apart (no carrier,
// or nothing expected at all), the idle's reversals win by a hair.
double BpskTrellis::weighLikely(int state, int p, double likelihood) const {
  const int s = state >> 1;
  const double idle = -kBpskLeak * bpskSign(s) * bpskSign(p) * kNoCarrierStrength;
  return paths_[2 * p + s].metric + likelihood + idle;
}

void BpskTrellis::advance(const std::array<Step, 4>& steps) {
  const std::size_t slot = steps_ % static_cast<std::size_t>(delay_ + 1);
  std::array<Path, 4> next;
  for (int state = 0; state < 4; ++state) {
    const int s = state >> 1;
    const int from = steps[state].metric[0] >= steps[state].metric[1] ? 0 : 1;
    from_[state] = from;
    next[state] = paths_[2 * from + s];
    next[state].metric = steps[state].metric[from];
    next[state].bits[slot] = s == from ? 1 : 0;
    next[state].signs[slot] = static_cast<unsigned char>(s);
  }
  // Keep the metrics near zero.
  const double top = std::max({next[0].metric, next[1].metric, next[2].metric, next[3].metric});
  for (Path& path : next) path.metric -= top;
  paths_ = next;
  lead_ = static_cast<int>(std::max_element(paths_.begin(), paths_.end(),
                                            [](const Path& a, const Path& b) { return a.metric < b.metric; }) -
                           paths_.begin());
  ++steps_;
}

std::optional<BpskTrellis::Decided> BpskTrellis::decided() const {
  if (steps_ <= static_cast<std::size_t>(delay_)) return std::nullopt;
  const std::size_t slot = (steps_ - 1 - static_cast<std::size_t>(delay_)) % static_cast<std::size_t>(delay_ + 1);
  const Path& path = paths_[lead_];
  return Decided{path.bits[slot], path.signs[slot] ? -1 : 1};
}

}  // namespace quillary::psk

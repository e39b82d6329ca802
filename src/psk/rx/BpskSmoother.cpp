#include "psk/rx/BpskSmoother.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quillary::psk {

namespace {
// A slip is mended where the stretch around it is more likely with it
// than without by this much (natural log). The rarity of slips would ask
// for more, but the test's channel is not the whole truth (the neighbours'
// leak and the detector's other errors stay in the samples), and through
// moderate and poor fading a bar from 0.5 to 1.5 mends the most.
constexpr double kSlipAbove = 1.0;
// A symbol holding less than this share of what the channel's shape
// expects of it is taken as the carrier gone (through the deepest fades
// the shape follows the symbols down, at a tenth or at a fiftieth alike).
constexpr double kGoneBelow = 0.1;
}  // namespace

bool BpskSmoother::create(int side, int delay, int samplesPerSymbol) {
  const auto responses = bpskSlopeResponses(samplesPerSymbol);
  if (side < 1 || side > kMaxSide || delay < 1 || delay > kMaxDelay || !responses) return false;
  slopeResponses_ = *responses;
  side_ = side;
  delay_ = delay;
  ring_.assign(static_cast<std::size_t>(side + std::max(delay, BpskSlipDetector::kBefore) + 1), {});
  for (std::size_t r = 0; r < kReachCount; ++r) {
    for (int k = 1; k <= side; ++k) weights_[r][k] = kReaches[r] * std::pow(1 - kReaches[r], k - 1);
    ahead_[r] = 1 - std::pow(1 - kReaches[r], side);
  }
  offsets_.clear();
  const int behind = static_cast<int>(ring_.size()) - side - 1;
  for (int k = 1; k <= behind; ++k) offsets_.push_back(k);
  for (int k = 1; k <= side; ++k) offsets_.push_back(-k);
  reset();
  return true;
}

void BpskSmoother::reset() {
  std::fill(ring_.begin(), ring_.end(), BpskDecision{});
  misses_.fill(0.0);
  behind_ = {};
  behindTaps_ = {};
  tapChoice_.reset();
  behindSlopes_ = {};
  slopeChoice_.reset();
  reach_ = kReachCount - 1;
  channel_.reset();
  interpolator_ = fadingWienerTaps(offsets_, channel_.spreadPerSymbol(), channel_.noise());
  interpolated_ = false;
  trellis_.create(delay_);
  count_ = 0;
  slips_.reset();
  turnedOver_ = false;
}

std::optional<BpskDecision> BpskSmoother::push(const BpskDecision& decision) {
  BpskDecision& entry = ring_[count_ % ring_.size()];
  entry = decision;
  if (turnedOver_) entry.sign = -entry.sign;
  ++count_;
  if (count_ <= static_cast<std::size_t>(side_)) return std::nullopt;
  const std::size_t centre = count_ - 1 - static_cast<std::size_t>(side_);
  mendSlip(centre);
  const BpskDecision& settled = ring_[centre % ring_.size()];
  slips_.learn(static_cast<double>(settled.sign) * settled.sample, settled.carrier);
  return read(centre);
}

// Where the detector slipped right after the symbol at `centre`, its signs
// from there on are turned over, those still to come as well.
void BpskSmoother::mendSlip(std::size_t centre) {
  constexpr int before = BpskSlipDetector::kBefore;
  if (side_ < BpskSlipDetector::kAfter || centre + 1 < static_cast<std::size_t>(before)) return;
  BpskSlipDetector::Stretch stretch{};
  for (int i = 0; i < BpskSlipDetector::kSpan; ++i) {
    const BpskDecision& entry = ring_[(centre + 1 + static_cast<std::size_t>(i) - before) % ring_.size()];
    if (!entry.carrier) return;
    stretch[static_cast<std::size_t>(i)] = static_cast<double>(entry.sign) * entry.sample;
  }
  // A slip one symbol on also shows here, as a slip and one sign wrong:
  // where it shows more clearly there, it is mended once it is there.
  const auto [here, next] = slips_.slipLikelihoods(stretch);
  if (here <= kSlipAbove || here < next) return;
  for (std::size_t k = 1; k <= static_cast<std::size_t>(side_); ++k) {
    BpskDecision& later = ring_[(centre + k) % ring_.size()];
    later.sign = -later.sign;
  }
  turnedOver_ = !turnedOver_;
}

// The average of the symbols before (all of them, each reach's own
// weights) and after (as far as the side reaches), each with its data
// taken out by its sign.
BpskSmoother::Complex BpskSmoother::reference(std::size_t reach, std::size_t centre) const {
  Complex after{};
  for (std::size_t k = 1; k <= static_cast<std::size_t>(side_); ++k) {
    const BpskDecision& later = ring_[(centre + k) % ring_.size()];
    if (later.carrier) after += weights_[reach][k] * static_cast<double>(later.sign) * later.sample;
  }
  return (behind_[reach] + after) / (1 + ahead_[reach]);
}

// Each reach learns how well it foretold the symbol at `centre`, and the
// averages and fits before it take it in.
void BpskSmoother::learnReaches(std::size_t centre) {
  const BpskDecision& symbol = ring_[centre % ring_.size()];
  if (!symbol.carrier) return;
  const Complex data = static_cast<double>(symbol.sign) * symbol.sample;
  const BpskSigns signs = signsAround(centre);
  std::size_t best = 0;
  for (std::size_t r = 0; r < kReachCount; ++r) {
    const Complex candidate = reference(r, centre);
    const double miss = bpskMiss(data, candidate);
    misses_[r] += kBpskMissSmoothing * (miss - misses_[r]);
    if (misses_[r] < misses_[best]) best = r;
    behind_[r] += kReaches[r] * (data - behind_[r]);
    behindTaps_[r].fade(1 - kReaches[r]);
    behindTaps_[r].add(kReaches[r], signs, symbol.sample);
    behindSlopes_[r].fade(1 - kReaches[r]);
    behindSlopes_[r].add(slopeResponses_, kReaches[r], signs, readingsOf(symbol));
  }
  reach_ = best;
  interpolated_ = channel_.learned() && best + kSteadyReaches < kReachCount;
}

// The decoder reads the symbol at `centre` against the average `h`, the
// nearest neighbours in it with the signs of the path being weighed.
void BpskSmoother::stepAveraged(std::size_t centre, Complex h) {
  const std::size_t size = ring_.size();
  const double near = kReaches[reach_] / (1 + ahead_[reach_]);
  const BpskDecision& symbol = ring_[centre % size];
  const BpskDecision& earlier = ring_[(centre + size - 1) % size];
  const BpskDecision& later = ring_[(centre + 1) % size];
  const Complex before = centre > 0 && earlier.carrier ? near * earlier.sample : Complex{};
  const Complex after = later.carrier ? near * later.sample : Complex{};
  const Complex rest = h - static_cast<double>(earlier.sign) * before - static_cast<double>(later.sign) * after;
  trellis_.step(symbol.sample, symbol.carrier,
                [&](int p, int n) { return rest + bpskSign(p) * before + bpskSign(n) * after; });
}

// The decoder reads the symbol at `centre` against the interpolated gain
// `h`, the nearest neighbours' gains in it with the signs of the path
// being weighed (their own, and the symbol's leak into them by its decided
// sign).
void BpskSmoother::stepInterpolated(std::size_t centre, Complex h) {
  const std::size_t size = ring_.size();
  const double nearBefore = interpolator_.front();
  const double nearAfter = interpolator_[offsets_.size() - static_cast<std::size_t>(side_)];
  const BpskDecision& symbol = ring_[centre % size];
  const BpskDecision& earlier = ring_[(centre + size - 1) % size];
  const BpskDecision& later = ring_[(centre + 1) % size];
  const double own = static_cast<double>(symbol.sign), first = signAt(centre - 2), last = signAt(centre + 2);
  const Complex rest = h - nearBefore * gainAt(centre, 1) - nearAfter * gainAt(centre, -1);
  trellis_.step(symbol.sample, symbol.carrier, [&](int p, int n) {
    Complex gain = rest;
    if (centre > 0 && earlier.carrier) gain += nearBefore * gainOf(earlier.sample, {first, bpskSign(p), own});
    if (later.carrier) gain += nearAfter * gainOf(later.sample, {own, bpskSign(n), last});
    return gain;
  });
}

// The gain a symbol shows, its data and its neighbours' leak taken out by
// the signs given (0 for a neighbour without a carrier).
BpskSmoother::Complex BpskSmoother::gainOf(Complex sample, const BpskSigns& signs) {
  return sample / (signs[1] + kBpskLeak * (signs[0] + signs[2]));
}

// The interpolator's estimate of the gain at `centre` from the symbols
// around it, each by the detector's signs.
BpskSmoother::Complex BpskSmoother::interpolatedGain(std::size_t centre) const {
  Complex h{};
  for (std::size_t i = 0; i < offsets_.size(); ++i)
    h += static_cast<double>(interpolator_[i]) * gainAt(centre, offsets_[i]);
  return h;
}

// The gain the symbol `offset` before `centre` shows (after, where
// negative); none where it has no carrier or is not there.
BpskSmoother::Complex BpskSmoother::gainAt(std::size_t centre, int offset) const {
  if (offset > 0 && centre < static_cast<std::size_t>(offset)) return {};
  const std::size_t at = centre - static_cast<std::size_t>(offset);
  const BpskDecision& other = ring_[at % ring_.size()];
  return other.carrier ? gainOf(other.sample, signsAround(at)) : Complex{};
}

// The channel is learned from the symbol at `centre` and the three
// before, settled, their data taken out.
void BpskSmoother::learnChannel(std::size_t centre) {
  if (centre < 3) return;
  FadingLearner::Span readings{};
  for (std::size_t i = 0; i < readings.size(); ++i) {
    const BpskDecision& symbol = ring_[(centre + i - 3) % ring_.size()];
    if (!symbol.carrier) return;
    readings[i] = std::complex<float>(gainOf(symbol.sample, signsAround(centre + i - 3)));
  }
  if (!channel_.learn(readings)) return;
  if (auto taps = fadingWienerTaps(offsets_, channel_.spreadPerSymbol(), channel_.noise()); !taps.empty())
    interpolator_ = std::move(taps);
}

// The detector's sign of the symbol at `at`; 0 without a carrier or before
// the first.
double BpskSmoother::signAt(std::size_t at) const {
  if (at >= count_) return 0.0;
  const BpskDecision& symbol = ring_[at % ring_.size()];
  return symbol.carrier ? static_cast<double>(symbol.sign) : 0.0;
}

// The detector's signs around the symbol at `at` (a neighbour not yet in,
// or without a carrier, counts 0).
BpskSigns BpskSmoother::signsAround(std::size_t at) const {
  return {signAt(at - 1), static_cast<double>(ring_[at % ring_.size()].sign), signAt(at + 1)};
}

// A fit's sums over the symbols before (`behind`, each reach's own
// weights) with those after added (as far as the side reaches, the last
// one's next sign still to come) by `add(sums, weight, signs, symbol)`.
template <class Sums, class Add>
Sums BpskSmoother::sumsAround(const Sums& behind, std::size_t reach, std::size_t centre, Add add) const {
  Sums sums = behind;
  for (std::size_t k = 1; k < static_cast<std::size_t>(side_); ++k) {
    const BpskDecision& later = ring_[(centre + k) % ring_.size()];
    if (later.carrier) add(sums, weights_[reach][k], signsAround(centre + k), later);
  }
  return sums;
}

std::optional<BpskTaps> BpskSmoother::tapsFor(std::size_t centre) {
  if (centre == 0) return std::nullopt;
  const BpskDecision& symbol = ring_[centre % ring_.size()];
  const BpskTapSums sums = sumsAround(behindTaps_[reach_], reach_, centre,
                                      [](BpskTapSums& s, double weight, const BpskSigns& signs,
                                         const BpskDecision& later) { s.add(weight, signs, later.sample); });
  return tapChoice_.choose(sums, signsAround(centre), symbol.sample, symbol.carrier);
}

// The shape to read the symbol at `centre` with, where chosen against the
// single path's reading (`singlePathGain`); none where the symbol holds
// far less than the shape expects of it (the carrier gone at the end of a
// transmission, before the receiver has seen it go): there the single
// path's reading expects the idle.
std::optional<BpskChannelShape> BpskSmoother::shapeFor(std::size_t centre, Complex singlePathGain) {
  if (centre == 0) return std::nullopt;
  const BpskDecision& symbol = ring_[centre % ring_.size()];
  const BpskSlopeSums sums = sumsAround(behindSlopes_[reach_], reach_, centre,
                                        [&](BpskSlopeSums& s, double weight, const BpskSigns& signs,
                                            const BpskDecision& later) {
                                          s.add(slopeResponses_, weight, signs, readingsOf(later));
                                        });
  const BpskSigns signs = signsAround(centre);
  const BpskReadings readings = readingsOf(symbol);
  const auto shape = slopeChoice_.choose(slopeResponses_, sums, singlePathGain, signs, readings, symbol.carrier);
  if (!shape) return std::nullopt;
  const auto power = [&](const BpskReadings& r) {
    return std::norm(r.sample) + slopeResponses_.slopeWeight * std::norm(r.slope);
  };
  if (power(readings) < kGoneBelow * power(bpskExpectedReadings(slopeResponses_, *shape, signs))) return std::nullopt;
  return shape;
}

std::optional<BpskDecision> BpskSmoother::read(std::size_t centre) {
  const std::size_t size = ring_.size();
  const auto taps = tapsFor(centre);
  const bool interpolated = interpolated_;  // as the symbols before chose
  const Complex gain = interpolated ? interpolatedGain(centre) : reference(reach_, centre);
  const auto shape = shapeFor(centre, gain);
  learnReaches(centre);
  const BpskDecision& symbol = ring_[centre % size];
  if (shape) {
    const BpskReadings readings = readingsOf(symbol);
    trellis_.stepLikely(symbol.carrier, [&](int p, int s, int n) {
      const BpskSigns signs{bpskSign(p), bpskSign(s), bpskSign(n)};
      const BpskReadings expected = bpskExpectedReadings(slopeResponses_, *shape, signs);
      return bpskReadingsLikelihood(slopeResponses_.slopeWeight, readings, expected);
    });
  } else if (taps)
    trellis_.stepExpecting(symbol.sample, symbol.carrier, [&](int p, int s, int n) {
      return bpskExpected(*taps, {bpskSign(p), bpskSign(s), bpskSign(n)});
    });
  else if (interpolated)
    stepInterpolated(centre, gain);
  else
    stepAveraged(centre, gain);
  learnChannel(centre);

  const auto decided = trellis_.decided();
  if (!decided) return std::nullopt;
  BpskDecision decision = ring_[(centre - static_cast<std::size_t>(delay_)) % size];
  decision.bit = decided->bit;
  decision.sign = decided->sign;
  return decision;
}

}  // namespace quillary::psk

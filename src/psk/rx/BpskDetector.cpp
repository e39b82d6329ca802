#include "psk/rx/BpskDetector.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillary::psk {

namespace {
using Complex = std::complex<double>;
// The carrier's turn is also read from the squares of consecutive symbols
// (which carry no data): over some 30 symbols, towards which the loop is
// pulled a little each symbol while it holds the carrier; over some 8,
// towards which it is pulled hard once it has lost it (after a start, a
// move or a long fade, or with a station coming up out of the noise).
// Whether it holds the carrier is judged by how close to the reference in
// use the symbols sit, sign aside: the mean of cos 2e over some 20 symbols
// (near 1 on a clean signal, well over 0.5 at -16 dB in 3 kHz, near 0 on
// noise or while the reference turns away).
constexpr double kTurnSmoothing = 1.0 / 32;
constexpr double kFastTurnSmoothing = 1.0 / 8;
constexpr double kTurnAssist = 0.0005;
constexpr double kPullingAssist = 0.1;
constexpr double kHoldSmoothing = 0.05;
constexpr double kHeldAbove = 0.5;
constexpr double kLostBelow = 0.25;
// The turn follows what the average over some 8 symbols misses, as a
// critically damped loop would: quick enough for the turn of a carrier the
// AFC has just moved, steady enough that the longer averages, turned on by
// it, keep their phase.
constexpr std::size_t kLoopReach = 5;

}  // namespace

bool BpskDetector::create(int delay) {
  if (delay < 2 || delay > kMaxDelay) return false;
  delay_ = delay;
  reset();
  return true;
}

void BpskDetector::reset() {
  pendingTurn_ = {};
  references_ = {};
  misses_.fill(0.0);
  reach_ = kReachCount - 1;
  samples_ = {};
  carrier_ = {};
  turnedBack_ = {};
  turnedBackSlopes_ = {};
  carried_ = {};
  frame_.reset();
  previousSquare_ = fastSquares_ = slowSquares_ = {};
  turn_ = hold_ = fastSize_ = 0;
  held_ = false;
  trellis_.create(delay_);
  count_ = 0;
}

void BpskDetector::moved(double turn) {
  // A move farther than the references can have followed leaves them
  // nothing to keep: they start again on the new frequency.
  if (std::abs(turn) > std::numbers::pi / 2) {
    references_ = {};
    fastSquares_ = slowSquares_ = previousSquare_ = {};
    pendingTurn_ = {};
    turn_ = hold_ = fastSize_ = 0;
    held_ = false;
    frame_.forgetTurn();
    return;
  }
  // The samples still in the receiver's filters were mixed before the
  // move: it shows in the samples from the symbol after next.
  pendingTurn_[1] += turn;
}

std::optional<BpskDecision> BpskDetector::push(std::complex<float> sample, bool noCarrier, std::complex<float> slope) {
  if (pendingTurn_[0] != 0.0) {
    const Complex back = std::polar(1.0, -2 * pendingTurn_[0]);
    fastSquares_ *= back;
    slowSquares_ *= back;
    turn_ -= pendingTurn_[0];
    frame_.moved(pendingTurn_[0]);
  }
  pendingTurn_ = {pendingTurn_[1], 0.0};
  const Complex y = noCarrier ? Complex{} : Complex(sample);
  if (!noCarrier) {
    const Complex square = y * y, product = square * std::conj(previousSquare_);
    fastSquares_ += kFastTurnSmoothing * (product - fastSquares_);
    fastSize_ += kFastTurnSmoothing * (std::abs(product) - fastSize_);
    slowSquares_ += kTurnSmoothing * (product - slowSquares_);
    previousSquare_ = square;
  }
  samples_ = {samples_[1], samples_[2], y};
  carrier_ = {carrier_[1], carrier_[2], !noCarrier};
  const Complex turnedBy = std::polar(1.0, -frame_.advance(std::norm(y), turn_, !noCarrier));
  turnedBack_[count_ % turnedBack_.size()] = y * turnedBy;
  turnedBackSlopes_[count_ % turnedBackSlopes_.size()] = noCarrier ? Complex{} : Complex(slope) * turnedBy;
  carried_[count_ % carried_.size()] = !noCarrier;
  if (++count_ < 2) return std::nullopt;

  // Read the middle symbol, now that the one after it is in. The
  // reference on the step from state (p, s) to (s, n), p s n the signs of
  // the symbols before, at and after it: the average, turned on by two
  // symbols, and the neighbours with signs p and n, turned by one.
  const double weight = kReaches[reach_];
  const Complex turn = std::polar(1.0, turn_);
  const Complex older = (1 - weight) * references_[reach_] * turn * turn;
  const Complex before = weight * samples_[0] * turn, after = weight * samples_[2] / turn;
  const double scale = 1 / (1 + weight);
  trellis_.step(samples_[1], carrier_[1], [&](int p, int n) {
    return (older + bpskSign(p) * before + bpskSign(n) * after) * scale;
  });
  learn(trellis_.leadingSignBefore(), trellis_.leadingSign());
  const auto decided = trellis_.decided();
  if (!decided) return std::nullopt;
  const std::size_t symbol = trellis_.steps() - 1 - static_cast<std::size_t>(delay_);
  return BpskDecision{decided->bit, decided->sign, turnedBack_[symbol % turnedBack_.size()],
                      carried_[symbol % carried_.size()], turnedBackSlopes_[symbol % turnedBackSlopes_.size()]};
}

// The averages move on to the symbol before the one just read, with the
// sign the leading path gives it (`before`: 0 for +). First, how well each
// reach foretold that symbol from its neighbours decides which to use next
// (the neighbour after with the sign the path gives it, `sign`, decided on
// its own sample; the sign of the symbol after the one just read has not
// been, and would only flatter the short reaches).
void BpskDetector::learn(int before, int sign) {
  const Complex turn = std::polar(1.0, turn_);
  if (!carrier_[0]) {
    for (Complex& reference : references_) reference *= turn;
    return;
  }
  const Complex data = bpskSign(before) * samples_[0];
  const Complex next = bpskSign(sign) * samples_[1] / turn;
  // The carrier loop, before the averages move on.
  const Complex predicted = references_[kLoopReach] * turn;
  if (std::norm(predicted) > 0 && std::norm(data) > 0) {
    const Complex agreement = data * std::conj(predicted);
    const double gain = kReaches[kLoopReach];
    if (held_) turn_ += gain * gain / 4 * std::clamp(agreement.imag() / std::norm(predicted), -1.0, 1.0);
    hold_ += kHoldSmoothing * ((agreement * agreement).real() / std::norm(agreement) - hold_);
    if (held_ ? hold_ < kLostBelow : hold_ > kHeldAbove) held_ = !held_;
  }
  if (held_) {
    turn_ += kTurnAssist * std::remainder(std::arg(slowSquares_) / 2 - turn_, std::numbers::pi);
  } else {
    // As far as the squares show a carrier at all (noise alone shows a turn
    // as well, at random), towards their turn, the harder the clearer they
    // show it; for the rest, back to none, where the receiver is tuned.
    const double shown = fastSize_ > 0 ? std::min(1.0, std::abs(fastSquares_) / fastSize_) : 0.0;
    const double pull = kPullingAssist + (1 - kPullingAssist) * std::pow(shown, 4);
    turn_ += pull * shown * std::remainder(std::arg(fastSquares_) / 2 - turn_, std::numbers::pi) -
             kPullingAssist * (1 - shown) * turn_;
  }
  // A turn of half a turn a symbol reads every reversal as a kept phase:
  // BPSK shows the carrier's turn only within a quarter turn either way.
  turn_ = std::remainder(turn_, std::numbers::pi);

  std::size_t best = 0;
  for (std::size_t r = 0; r < kReachCount; ++r) {
    const double weight = kReaches[r];
    const Complex moved = references_[r] * turn;
    const Complex h = moved + weight * next;
    const double miss = bpskMiss(data, h);
    misses_[r] += kBpskMissSmoothing * (miss - misses_[r]);
    if (misses_[r] < misses_[best]) best = r;
    references_[r] = moved + weight * (data - moved);
  }
  reach_ = best;
}

}  // namespace quillary::psk

#pragma once
// Coherent detection of BPSK through a channel whose strength and phase
// wander, differentially decoded.
//
// A Viterbi decoder (BpskTrellis) reads the symbols' signs, knowing the
// matched filter's leak into the neighbours; the bit is whether the sign
// changed, so a slip of the phase reference costs a bit, not everything
// after it.
//
// Each symbol is read against a phase reference made of its neighbours with
// their data taken out by their signs (so the data is never squared away),
// and weighed by the channel's strength the reference shows: a symbol in a
// fade counts for little. The reference joins an average of the samples
// before (with the signs the decoder's leading path gave them, turned on by
// an estimate of the carrier's turn per symbol) and the symbols right
// before and right after, with the signs of the path being weighed: the
// decoder's states are the signs of the last two symbols, and it reads each
// symbol once the next has come. Through a deep fade, where the phase turns
// fastest, the symbols on both sides pin it down where those before alone
// cannot; and a path and its mirror image (every sign flipped) never look
// alike, as the average anchors the signs.
//
// How far the average reaches depends on the channel: on a steady one the
// farthest is as good as a narrow carrier loop; where the path fades and
// turns within a second, only the nearest few symbols tell where the phase
// is, and at the extreme the two neighbours alone. The detector keeps a
// figure for each reach of how well it foretells the symbols, and uses the
// reach that does best. The averages turn on by the carrier's turn per
// symbol, which a carrier loop of the second order follows on the average
// of some 8 symbols, helped by the turn the squared samples show, which
// finds a carrier far off tune.
#include <array>
#include <complex>
#include <cstddef>
#include <optional>

#include "psk/rx/BpskDecisionFrame.h"
#include "psk/rx/BpskReference.h"
#include "psk/rx/BpskTrellis.h"

namespace quillary::psk {

// A symbol as the detector decided it.
struct BpskDecision {
  int bit = 0;   // 1: the sign stayed
  int sign = 1;  // the symbol's sign, +1 or -1, as the decided path has it
  // The symbol's sample turned back by the frame's phase at it
  // (BpskDecisionFrame), so samples near each other share a phase.
  std::complex<double> sample{};
  bool carrier = false;  // it carries a usable phase
  // The matched filter's slope at the symbol, turned back alike.
  std::complex<double> slope{};
};

class BpskDetector {
 public:
  // The decoder decides `delay` symbols late (2..64), after waiting for the
  // symbol that follows: a bit comes out delay + 1 symbols after its
  // sample. False, and no change, otherwise.
  bool create(int delay);
  void reset();
  // One symbol sample from the matched filter; `noCarrier` when it carries
  // no usable phase (it then counts as a reversal, the idle); `slope`, the
  // filter's slope there, is carried to the decision. Answers the decision
  // on the sample latency() symbols back, once there is one.
  std::optional<BpskDecision> push(std::complex<float> sample, bool noCarrier, std::complex<float> slope = {});
  int latency() const { return delay_ + 1; }
  // The carrier's turn per symbol (radians) as the detector follows it,
  // moves made included: how far off tune the carrier is.
  double turnPerSymbol() const { return turn_ - pendingTurn_[0] - pendingTurn_[1]; }
  // The receive frequency moved: the carrier turns `turn` radians per
  // symbol less from now on.
  void moved(double turn);

 private:
  static constexpr auto& kReaches = kBpskReaches;
  static constexpr std::size_t kReachCount = kBpskReachCount;
  static constexpr int kMaxDelay = BpskTrellis::kMaxDelay;

  void learn(int before, int sign);

  int delay_ = 8;
  std::array<double, 2> pendingTurn_{};  // moves still in the filters, by the symbol they show in
  std::array<std::complex<double>, kReachCount> references_{};  // the averages up to two symbols before the one read
  std::array<double, kReachCount> misses_{};
  std::size_t reach_ = kReachCount - 1;
  std::array<std::complex<double>, 3> samples_{};  // the symbols before, at and after the one read
  std::array<bool, 3> carrier_{};
  // Every sample turned back by the frame's phase at it, and whether it
  // has a carrier: a ring by symbol number, for the decisions.
  std::array<std::complex<double>, kMaxDelay + 3> turnedBack_{}, turnedBackSlopes_{};
  std::array<bool, kMaxDelay + 3> carried_{};
  BpskDecisionFrame frame_;
  std::complex<double> previousSquare_{}, fastSquares_{}, slowSquares_{};
  double fastSize_ = 0;  // the mean size of what fastSquares_ averages
  double turn_ = 0;     // the carrier's turn per symbol, radians
  double hold_ = 0;     // smoothed cos 2e of the angle e the samples stand off the reference
  bool held_ = false;   // the loop holds the carrier
  BpskTrellis trellis_;
  std::size_t count_ = 0;  // samples in
};

}  // namespace quillary::psk

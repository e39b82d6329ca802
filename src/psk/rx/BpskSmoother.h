#pragma once
// A second reading of the BPSK detector's decisions, against a phase
// reference made of the symbols on both sides of each.
//
// The detector reads a symbol as it comes, against the symbols before it
// and the one after: its reference lags the phase wherever a fade turns it.
// Once the symbols some way after have been decided as well, the phase at
// a symbol can be read from both sides, where the two sides' lags cancel
// and a fade is bridged by strong symbols on either side of it instead of
// one. The reference is an average of the decided symbols around the one
// read, their data taken out by the detector's signs: those before with
// the weights of an exponential average, those after with the same weights
// as far as `side` reaches. (Each side's sign is the detector's: where a
// fade turns the phase by more than a quarter turn, turning a side back to
// the other's axis costs more than the detector's rare slips do.)
//
// How far the average reaches is chosen as in the detector, by how well
// each reach foretells the symbols. The detector's Viterbi decoder
// (BpskTrellis) then reads the signs again, the two nearest neighbours in
// the reference with the signs of the path being weighed, not the
// detector's.
//
// Where the channel fades, the average that foretells best is a short one;
// once the smoother has learned the channel (some hundred symbols in),
// the reference is the gain interpolated from the symbols on both
// sides (FadingLearner.h: a Wiener filter for the fading and the noise the
// smoother learns from the settled symbols), each symbol's data and its
// neighbours' leak taken out by the detector's signs. Through a fade it
// follows the gain past the origin where an average of either shape lags
// or flattens it.
//
// Before a symbol is read, the detector's signs after it are checked for a
// slip (BpskSlipDetector): where a fade turned the channel by half a turn
// and the detector took the turn for data, every sign it gave after that is
// flipped, and with them taken out the channel shows a jump the other side
// of the symbol. Those signs are then turned over (and all the detector
// gives from there on), so the reference on both sides sees the channel as
// it turned, and the bit at the slip is read as sent.
//
// Where the signal comes by two paths a fraction of a symbol apart, the
// neighbours' share of a symbol's sample is no longer a sixth of its own:
// the decoder then expects what the shares fitted to the symbols around
// it give (BpskTapFit), once they foretell the symbols clearly better.
// Where the two paths nearly cancel, what is left of the symbol shows in
// the slope of the matched filter's output rather than in its sample: the
// decoder then reads both, against the channel fitted as a pulse and its
// slope (BpskSlopeFit), where that foretells them clearly better.
#include <array>
#include <complex>
#include <cstddef>
#include <optional>
#include <vector>

#include "psk/rx/BpskDetector.h"
#include "psk/rx/BpskReference.h"
#include "psk/rx/BpskTrellis.h"
#include "psk/rx/BpskSlipDetector.h"
#include "psk/rx/BpskSlopeFit.h"
#include "psk/rx/BpskTapFit.h"
#include "psk/rx/FadingLearner.h"

namespace quillary::psk {

class BpskSmoother {
 public:
  // The reference reaches `side` symbols ahead (1..32); the decoder
  // decides `delay` symbols late (1..16); the matched filter (the
  // two-symbol raised cosine) runs at `samplesPerSymbol` (4..64). False,
  // and no change, otherwise.
  bool create(int side, int delay, int samplesPerSymbol);
  void reset();
  // The detector's next decision; answers the decision, read again, on
  // the symbol latency() decisions back, once there is one.
  std::optional<BpskDecision> push(const BpskDecision& decision);
  int latency() const { return side_ + delay_; }

 private:
  static constexpr auto& kReaches = kBpskReaches;
  static constexpr int kMaxSide = 32;
  static constexpr std::size_t kReachCount = kBpskReachCount;
  static constexpr int kMaxDelay = 16;
  // The averages that reach farthest (from 1/12 on) tell a steady channel,
  // where they hold less of the noise than the interpolator over the
  // symbols kept.
  static constexpr std::size_t kSteadyReaches = 4;
  using Complex = std::complex<double>;

  Complex reference(std::size_t reach, std::size_t centre) const;
  BpskSigns signsAround(std::size_t at) const;
  template <class Sums, class Add>
  Sums sumsAround(const Sums& behind, std::size_t reach, std::size_t centre, Add add) const;
  std::optional<BpskTaps> tapsFor(std::size_t centre);
  std::optional<BpskChannelShape> shapeFor(std::size_t centre, Complex singlePathGain);
  static BpskReadings readingsOf(const BpskDecision& decision) { return {decision.sample, decision.slope}; }
  void learnReaches(std::size_t centre);
  static Complex gainOf(Complex sample, const BpskSigns& signs);
  Complex gainAt(std::size_t centre, int offset) const;
  Complex interpolatedGain(std::size_t centre) const;
  void stepAveraged(std::size_t centre, Complex h);
  void stepInterpolated(std::size_t centre, Complex h);
  double signAt(std::size_t at) const;
  void learnChannel(std::size_t centre);
  std::optional<BpskDecision> read(std::size_t centre);
  void mendSlip(std::size_t centre);

  int side_ = 8, delay_ = 2;
  std::vector<BpskDecision> ring_;  // the decisions, by symbol number
  std::array<std::array<double, kMaxSide + 1>, kReachCount> weights_{};  // by distance
  std::array<double, kReachCount> ahead_{};     // the weights after the symbol, summed
  std::array<Complex, kReachCount> behind_{};   // the averages before it
  std::array<BpskTapSums, kReachCount> behindTaps_{};  // the taps' fit before it
  BpskTapChoice tapChoice_;
  BpskSlopeResponses slopeResponses_;
  std::array<BpskSlopeSums, kReachCount> behindSlopes_{};  // the shape's fit before it
  BpskSlopeChoice slopeChoice_;
  std::array<double, kReachCount> misses_{};
  std::size_t reach_ = kReachCount - 1;
  // The interpolator for the channel learned: its offsets (the symbols
  // before, 1 up, then those after, -1 down) and taps, and whether it
  // reads the symbols rather than the averages.
  FadingLearner channel_;
  std::vector<int> offsets_;
  std::vector<float> interpolator_;
  bool interpolated_ = false;
  BpskTrellis trellis_;
  std::size_t count_ = 0;
  BpskSlipDetector slips_;
  bool turnedOver_ = false;  // the detector's signs from here on are turned over
};

}  // namespace quillary::psk

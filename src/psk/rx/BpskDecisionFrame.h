#pragma once
// The frame the BPSK decisions are read in: the carrier's phase, turned on
// by the turn the detector's carrier loop follows, as far as the signal is
// strong.
//
// Through fading, the loop follows the turn the channel shows, and that
// turn is wildest where the signal is weak: where two paths cancel, the
// phase of what is left swings by a good part of a turn within a few
// symbols. The second readings fit the channel to the symbols on both
// sides of each; in a frame that swings with the fade, the channel they
// fit swings with it. Weighed by the fourth power of the signal's strength
// against its mean, the loop's turn is taken at once where the signal is
// strong (a station rising out of the noise) and hardly at all in a fade:
// the frame turns as the carrier does, not as the fade does. A steady
// signal's turn is followed within some 20 symbols. Where the squelch
// finds no carrier there is no strength to weigh the turn by, and the
// frame takes the loop's as it is: a station's first symbols after the
// squelch opens are read in the loop's own frame.
namespace quillary::psk {

class BpskDecisionFrame {
 public:
  void reset();
  // The next symbol: its power (0 where it has no carrier) and the turn per
  // symbol the loop follows to it. Answers the frame's phase at it
  // (radians, -pi..pi).
  double advance(double power, double loopTurn, bool carrier);
  // The receive frequency moved: the carrier turns `turn` radians per
  // symbol less from now on.
  void moved(double turn) { turn_ -= turn; }
  // The loop starts again from no turn (a move farther than it follows).
  void forgetTurn() { turn_ = 0; }
  double turnPerSymbol() const { return turn_; }

 private:
  double phase_ = 0, turn_ = 0;
  double recentPower_ = 0, meanPower_ = 0;  // over some 4 and some 128 symbols
};

}  // namespace quillary::psk

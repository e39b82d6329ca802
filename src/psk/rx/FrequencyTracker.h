#pragma once
// The AFC's fine steering on the station the receiver is on: the phase
// error of each decided symbol (for BPSK the turn per symbol the
// detector's carrier loop follows), precise but only unambiguous within
// baud / (2 m), m = 2 for BPSK and 4 for QPSK (StationSearch keeps the
// receiver that close). It answers a correction in Hz per symbol; the
// receiver applies it within the AFC limit.
namespace quillary::psk {

class FrequencyTracker {
 public:
  // `order` 2 (BPSK) or 4 (QPSK); `gain`, in (0, 1], the share of the
  // error it corrects each symbol. False, and no change, for bad values.
  bool create(double baud, int order, double gain = kSteadyGain);
  // A time constant of 25 symbols: slow enough that noise hardly moves the
  // frequency when the error is each symbol's own phase error, quick enough
  // for a station that drifts a few hertz a minute.
  static constexpr double kSteadyGain = 0.04;
  // The receiver has just moved onto a station: for a few symbols the
  // steering pulls harder, to finish what the move left.
  void restart() { quickSymbols_ = kQuickSymbols; }
  // Once per decided symbol: its phase error (radians) and the signal
  // coherence 0..100. Answers the frequency step to take, in Hz: the
  // error's share `gain` (more for a while after restart()).
  double correction(double phaseError, int coherence);
  // How far off the steering still works, in baud.
  double rangeBaud() const { return 1.0 / (2 * order_); }

 private:
  static constexpr int kQuickSymbols = 32;

  double baud_ = 31.25;
  int order_ = 2;
  double gain_ = kSteadyGain;
  int quickSymbols_ = 0;
};

}  // namespace quillary::psk

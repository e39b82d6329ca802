#pragma once
// The AFC's fine steering on the station the receiver is on: the phase
// error of each decided symbol, precise but only unambiguous within
// baud / (2 m), m = 2 for BPSK and 4 for QPSK (StationSearch keeps the
// receiver that close). It answers a correction in Hz per symbol; the
// receiver applies it within the AFC limit.
namespace quillary::psk {

class FrequencyTracker {
 public:
  // `order` 2 (BPSK) or 4 (QPSK). False, and no change, for bad values.
  bool create(double baud, int order);
  // The receiver has just moved onto a station: for a few symbols the
  // steering pulls harder, to finish what the move left.
  void restart() { quickSymbols_ = kQuickSymbols; }
  // Once per decided symbol: its phase error (radians) and the signal
  // coherence 0..100. Answers the frequency step to take, in Hz.
  double correction(double phaseError, int coherence);
  // How far off the steering still works, in baud.
  double rangeBaud() const { return 1.0 / (2 * order_); }

 private:
  static constexpr int kQuickSymbols = 32;

  double baud_ = 31.25;
  int order_ = 2;
  int quickSymbols_ = 0;
};

}  // namespace quillary::psk

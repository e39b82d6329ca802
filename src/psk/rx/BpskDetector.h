#pragma once
// Coherent detection of BPSK, differentially decoded. A carrier loop
// (phase locked, with a frequency-locked assist that pulls it in from
// wherever the differential phase says the carrier turns) gives each symbol
// sample its phase reference; a two-state Viterbi decoder reads the
// symbols' signs, knowing what the matched filter does to them: each
// symbol leaks a sixth of itself into each neighbour (the transmit pulse
// is a two-symbol raised cosine, and so is the filter matched to it). The
// bit is whether the sign changed: a slip of the loop by half a turn costs
// one bit, not everything after it.
#include <array>
#include <complex>
#include <cstddef>
#include <optional>

namespace quillary::psk {

class BpskDetector {
 public:
  // Decisions come out `delay` symbols late (2..64). False, and no change,
  // otherwise.
  bool create(int delay);
  void reset();
  struct Bit {
    int value = 0;      // 1: the phase was kept, 0: reversed
    double margin = 0;  // how sure, >= 0 (the two best paths apart)
  };
  // One symbol sample from the matched filter; `weak` when it carries no
  // usable phase (it then counts as a reversal, the idle). Answers the bit
  // `delay` symbols back, once that many have come in.
  std::optional<Bit> push(std::complex<float> sample, bool weak);
  // The carrier loop's turn per symbol, radians: how far off the carrier is.
  double turnPerSymbol() const { return turn_; }
  // The receive frequency moved: the carrier turns `turn` radians per
  // symbol less from now on.
  void moved(double turn);

 private:
  void trackCarrier(std::complex<float> sample, bool weak);
  void restartCarrier();
  std::optional<Bit> decide(double x);

  // A survivor path, one per state (the sign of the latest symbol): its
  // metric, and for the last delay + 1 symbols its bits and how sure each
  // is (soft-output Viterbi), rings indexed by symbol number.
  static constexpr int kMaxDelay = 64;
  struct Path {
    double metric = 0;
    std::array<unsigned char, kMaxDelay + 1> bits{};
    std::array<float, kMaxDelay + 1> sure{};
  };

  int delay_ = 8;
  double phase_ = 0;      // the carrier's phase at the next symbol
  double turn_ = 0;       // its turn per symbol
  double amplitude_ = 0;  // smoothed |in-phase part|
  double lock_ = 0;       // smoothed cos 2e of the phase error e
  bool locked_ = false;
  std::complex<float> previous_{};
  std::array<Path, 2> paths_;
  std::size_t count_ = 0;
};

}  // namespace quillary::psk

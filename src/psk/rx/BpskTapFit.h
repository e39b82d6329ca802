#pragma once
// What the matched filter gives at a BPSK symbol where the signal comes by
// more than one path.
//
// On one path each symbol's sample holds the symbol and a sixth of each
// neighbour, all turned alike by the channel. Where a second path arrives
// a fraction of a symbol later, the two add up differently for the symbol
// and for each neighbour: at 125 baud a path 2 ms late is a quarter of a
// symbol, and where the two nearly cancel at the carrier the neighbours'
// share can outweigh the symbol's own. A receiver that expects the
// single path's shares then errs even without noise. So the shares are
// fitted: the sample is taken as t0 b + t1 s + t2 a for the signs b, s, a
// of the symbol before, the symbol and the one after, the three complex
// taps fitted by least squares to the decided symbols around it.
//
// The fit is pulled towards the single path's shares (the neighbours a
// sixth of the symbol), which it needs where the signs cannot tell the
// taps apart (a run of reversals, or of steady carrier, has one pattern
// of signs), and which costs nothing where one path is all there is. How
// hard it is pulled is chosen as the reaches of the phase reference are,
// by how well each choice foretells the symbols; the single path's own
// reading stays the choice unless a fit foretells clearly better, since a
// freer fit carries more noise, and until the carrier has been there long
// enough for the fit to be of this signal.
#include <array>
#include <complex>
#include <cstddef>
#include <optional>

namespace quillary::psk {

// The signs of the symbol before, the symbol and the one after (+1 or -1;
// 0 for a neighbour without a carrier).
using BpskSigns = std::array<double, 3>;
// What each of them weighs in the symbol's sample.
using BpskTaps = std::array<std::complex<double>, 3>;

inline std::complex<double> bpskExpected(const BpskTaps& taps, const BpskSigns& signs) {
  return signs[0] * taps[0] + signs[1] * taps[1] + signs[2] * taps[2];
}

// The sums of a weighted least-squares fit of the taps to samples.
struct BpskTapSums {
  std::array<double, 6> products{};                // of the signs: 00 01 02 11 12 22
  std::array<std::complex<double>, 3> moments{};   // each sign times the sample
  void add(double weight, const BpskSigns& signs, std::complex<double> sample);
  void fade(double keep);
};

// The taps that fit best, pulled towards the single path's shares by
// `pull` (in the weights' units). Zeros where nothing has been fitted.
BpskTaps bpskFitTaps(const BpskTapSums& sums, double pull);

class BpskTapChoice {
 public:
  void reset();
  // The taps to read the symbol with, or none: the single path's reading.
  // The symbol's sample and its decided signs then tell each choice how
  // well it foretold it.
  std::optional<BpskTaps> choose(const BpskTapSums& sums, const BpskSigns& signs, std::complex<double> sample,
                                 bool carrier);

 private:
  // From free to as good as the single path's shares (the last, whose
  // reading is the single path's own).
  static constexpr std::array<double, 4> kPulls{1, 4, 16, 1000};
  static constexpr std::size_t kSinglePath = kPulls.size() - 1;
  using Fits = std::array<BpskTaps, kPulls.size()>;
  void learn(const Fits& fits, const BpskSigns& signs, std::complex<double> sample);

  std::array<double, kPulls.size()> misses_{};
  int run_ = 0;  // symbols with a carrier since the last without
  std::size_t chosen_ = kSinglePath;
};

}  // namespace quillary::psk

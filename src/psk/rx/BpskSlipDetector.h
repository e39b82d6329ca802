#pragma once
// Whether the BPSK detector slipped: flipped every sign from some symbol on.
//
// With the detector's signs taken out, the samples show the channel: where
// it slipped, the channel after the slip shows turned over, a jump of half
// a turn (mostly where a fade made the channel weak and the detector took
// its turn for data). The stretch of symbols around a point is weighed in
// two readings, as it comes and with the part after the point turned over,
// by how likely each is for a channel that wanders as this one does: the
// samples are taken as a complex Gaussian process whose correlation from
// symbol to symbol (noise, fading speed and carrier turn at once) is learnt
// from the samples themselves, so the test follows a slow fade as well as
// a fast one. The stretch reaches further back than ahead, as the symbols
// ahead cost the receiver's latency and those behind cost nothing.
#include <array>
#include <complex>
#include <cstddef>

namespace quillary::psk {

class BpskSlipDetector {
 public:
  static constexpr int kBefore = 12;  // symbols up to the point
  static constexpr int kAfter = 8;    // and after it
  static constexpr int kSpan = kBefore + kAfter;
  using Complex = std::complex<double>;
  using Stretch = std::array<Complex, kSpan>;

  void reset();
  // The next symbol's sample with its data taken out (`carrier` false: it
  // carries no phase).
  void learn(Complex data, bool carrier);
  // The log-likelihood (natural) of a slip right after the stretch's
  // first kBefore symbols against none, and of one a symbol later; 0 until
  // the correlation has been learnt, where it leaves no sound matrix, or
  // where the stretch is far stronger than the channel learnt.
  std::array<double, 2> slipLikelihoods(const Stretch& stretch) const;

 private:
  using Matrix = std::array<std::array<Complex, kSpan>, kSpan>;
  // The Cholesky factor of the correlation matrix into lower_; false where
  // it has none.
  bool factor();
  static double quadratic(const Matrix& lower, const Stretch& stretch);  // x^H C^-1 x

  std::array<Complex, kSpan> correlation_{};  // by lag: E[d(t + k) d(t)*]
  std::array<Complex, kSpan> history_{};      // the last samples, a ring
  std::array<bool, kSpan> carried_{};
  std::size_t count_ = 0;
  Matrix lower_{};        // the correlation's Cholesky factor, as last worked out
  bool factored_ = false;  // lower_ holds one
};

}  // namespace quillary::psk

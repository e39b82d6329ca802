#pragma once
// What the fading readers (FadingPredictor for QPSK, the BPSK second
// reading) know of a fading channel, and how they filter its readings.
//
// The gain is a complex Gaussian process whose spectrum is Gaussian (the
// Watterson model's), each reading (a symbol turned back by the phase it
// was sent at) carries white noise, and a filter's taps minimise the mean
// squared error of its estimate (the Wiener-Hopf equations).
//
// How fast the channel fades and how noisy the readings are is learned
// from settled readings: the noise from their second differences (which a
// smooth gain leaves next to nothing of, and a lone wrong reading counts
// into the noise, not into the fading), the fading from their differences
// three symbols apart less that noise.
#include <array>
#include <complex>
#include <span>
#include <vector>

namespace quillary::psk {

// The taps that estimate the gain at a symbol from the readings at
// `offsets` symbols from it (1: the one before, -1: the one after).
// `spreadPerSymbol` is the spectrum's standard deviation times the
// symbol's duration, `noise` the readings' noise power over the gain's
// mean power. Empty for no offsets, a spread below 0 or no noise (without
// noise a steady channel leaves the taps undetermined).
std::vector<float> fadingWienerTaps(std::span<const int> offsets, double spreadPerSymbol, double noise);

class FadingLearner {
 public:
  // Consecutive readings, the oldest first.
  using Span = std::array<std::complex<float>, 4>;

  FadingLearner() { reset(); }
  // Back to the channel it assumes before it has learned one.
  void reset();
  // Settled readings (decisions that no longer change), all of one
  // signal. True where what it knows changed enough to design a filter
  // anew.
  bool learn(const Span& readings);
  // It has learned the channel from enough readings to trust it.
  bool learned() const;
  double spreadPerSymbol() const { return spread_; }
  double noise() const { return noise_; }

 private:
  double spread_ = 0, noise_ = 0;
  double power_ = 0, lagDifference_ = 0, secondDifference_ = 0;
  long long learned_ = 0;
};

}  // namespace quillary::psk

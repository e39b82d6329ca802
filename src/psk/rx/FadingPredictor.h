#pragma once
// Predicts a fading channel's gain one symbol ahead from its last readings
// (each a symbol turned back by the phase it was sent at). The gain is a
// complex Gaussian process whose spectrum is Gaussian (the Watterson
// model's), each reading carries white noise, and the taps minimise the
// mean squared error of the prediction (the Wiener-Hopf equations).
// Through a fade the gain moves smoothly past the origin while its phase
// spins; a predictor made for that motion follows it where an average of
// the last readings lags behind.
//
// How fast the channel fades and how noisy the readings are, it learns
// from settled readings: the noise from their second differences (which a
// smooth gain leaves next to nothing of, and a lone wrong reading counts
// into the noise, not into the fading), the fading from their differences
// three symbols apart less that noise.
#include <array>
#include <complex>
#include <vector>

namespace quillary::psk {

// `count` taps, the newest reading's first. `spreadPerSymbol` is the
// spectrum's standard deviation times the symbol's duration, `noise` the
// readings' noise power over the gain's mean power. Empty for a count
// below 1, a spread below 0 or no noise (without noise a steady channel
// leaves the taps undetermined).
std::vector<float> fadingPredictorTaps(int count, double spreadPerSymbol, double noise);

class FadingPredictor {
 public:
  static constexpr int kReadings = 12;
  using Readings = std::array<std::complex<float>, kReadings>;  // newest first

  FadingPredictor() { reset(); }
  // Back to the channel it assumes before it has learned one.
  void reset();
  std::complex<float> predict(const Readings& readings) const;
  // Readings whose oldest four are settled (decisions that no longer
  // change), all of one signal.
  void learn(const Readings& readings);
  double spreadPerSymbol() const { return spread_; }
  double noise() const { return noise_; }

 private:
  void design();

  std::array<float, kReadings> taps_{};
  double spread_ = 0, noise_ = 0;
  double power_ = 0, lagDifference_ = 0, secondDifference_ = 0;
  long long learned_ = 0;
};

}  // namespace quillary::psk

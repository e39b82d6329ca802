#pragma once
// Predicts a fading channel's gain one symbol ahead from its last readings
// (FadingLearner.h: the model, and how the channel is learned). Through a
// fade the gain moves smoothly past the origin while its phase spins; a
// predictor made for that motion follows it where an average of the last
// readings lags behind.
#include <array>
#include <complex>
#include <vector>

#include "psk/rx/FadingLearner.h"

namespace quillary::psk {

// `count` taps, the newest reading's first (fadingWienerTaps for the
// readings 1 to `count` symbols back).
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
  double spreadPerSymbol() const { return learner_.spreadPerSymbol(); }
  double noise() const { return learner_.noise(); }

 private:
  void design();

  std::array<float, kReadings> taps_{};
  FadingLearner learner_;
};

}  // namespace quillary::psk

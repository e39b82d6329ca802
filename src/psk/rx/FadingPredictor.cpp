#include "psk/rx/FadingPredictor.h"

#include <algorithm>

namespace quillary::psk {

std::vector<float> fadingPredictorTaps(int count, double spreadPerSymbol, double noise) {
  if (count < 1) return {};
  std::vector<int> offsets(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) offsets[static_cast<std::size_t>(i)] = i + 1;
  return fadingWienerTaps(offsets, spreadPerSymbol, noise);
}

void FadingPredictor::reset() {
  learner_.reset();
  design();
}

std::complex<float> FadingPredictor::predict(const Readings& readings) const {
  std::complex<float> gain{};
  for (int i = 0; i < kReadings; ++i) gain += taps_[i] * readings[i];
  return gain;
}

void FadingPredictor::learn(const Readings& readings) {
  const FadingLearner::Span oldest{readings[kReadings - 1], readings[kReadings - 2], readings[kReadings - 3],
                                   readings[kReadings - 4]};
  if (learner_.learn(oldest)) design();
}

void FadingPredictor::design() {
  const std::vector<float> taps = fadingPredictorTaps(kReadings, learner_.spreadPerSymbol(), learner_.noise());
  std::copy(taps.begin(), taps.end(), taps_.begin());
}

}  // namespace quillary::psk

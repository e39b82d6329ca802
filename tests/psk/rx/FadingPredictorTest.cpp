// The fading predictor: through a fade it must lag less than the newest
// reading while holding less of the readings' noise, and it must learn a
// channel's fading and noise from readings of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <numeric>
#include <random>
#include <utility>
#include <vector>

#include "psk/rx/FadingPredictor.h"

namespace quillary::psk::test {
namespace {

using Complex = std::complex<float>;

TEST(FadingPredictor, FollowsAFadeThroughTheOriginWithLessNoiseThanOneReading) {
  const std::vector<float> taps = fadingPredictorTaps(12, 0.011, 0.03);  // 0.7 Hz at 31.25 baud, 15 dB
  ASSERT_EQ(taps.size(), 12u);
  // The gain crosses the origin a tenth of its mean a symbol: the newest
  // reading misses the next by a whole step, an average of a few by more.
  Complex predicted{};
  for (std::size_t i = 0; i < taps.size(); ++i) predicted += taps[i] * Complex{-0.1f * static_cast<float>(i) - 0.05f, 0.02f};
  EXPECT_LT(std::abs(predicted - Complex{0.05f, 0.02f}), 0.05f);
  EXPECT_LT(std::inner_product(taps.begin(), taps.end(), taps.begin(), 0.0f), 0.5f);
  // A steady gain comes out a little short of itself, never beyond it.
  EXPECT_NEAR(std::accumulate(taps.begin(), taps.end(), 0.0f), 0.95f, 0.05f);
}

// The BPSK second reading's interpolator: the twelve readings before and
// the eight after a symbol, the symbol itself left out. Across a fade it
// lands on the gain where the predictor (the same readings shifted, all
// before) must overshoot, and it holds less noise.
TEST(FadingPredictor, InterpolatesAFadeFromBothSides) {
  std::vector<int> offsets;
  for (int k = 1; k <= 12; ++k) offsets.push_back(k);
  for (int k = 1; k <= 8; ++k) offsets.push_back(-k);
  const std::vector<float> taps = fadingWienerTaps(offsets, 0.011, 0.03);
  const std::vector<float> ahead = fadingPredictorTaps(12, 0.011, 0.03);
  ASSERT_EQ(taps.size(), offsets.size());
  // The gain crosses the origin a tenth of its mean a symbol, and turns
  // back a little before and after (a fade's curve).
  const auto gain = [](int t) {
    return Complex{0.1f * static_cast<float>(t), 0.02f + 0.002f * static_cast<float>(t * t)};
  };
  Complex interpolated{}, predicted{};
  for (std::size_t i = 0; i < taps.size(); ++i) interpolated += taps[i] * gain(-offsets[i]);
  for (std::size_t i = 0; i < ahead.size(); ++i) predicted += ahead[i] * gain(-static_cast<int>(i) - 1);
  EXPECT_LT(std::abs(interpolated - gain(0)), 0.025f);
  EXPECT_GT(std::abs(predicted - gain(0)), 1.5f * std::abs(interpolated - gain(0)));
  EXPECT_LT(std::inner_product(taps.begin(), taps.end(), taps.begin(), 0.0f),
            0.7f * std::inner_product(ahead.begin(), ahead.end(), ahead.begin(), 0.0f));
  EXPECT_TRUE(fadingWienerTaps({}, 0.011, 0.03).empty());
  EXPECT_TRUE(fadingWienerTaps(offsets, 0.011, 0.0).empty());
}

// Silence (a receiver fed zeros) tells nothing of a channel: what was
// assumed stays, and a filter can still be designed from it.
TEST(FadingPredictor, SilenceLeavesTheChannelAsItWas) {
  FadingLearner learner;
  const double spread = learner.spreadPerSymbol(), noise = learner.noise();
  for (int n = 0; n < 400; ++n) learner.learn({});
  EXPECT_EQ(learner.spreadPerSymbol(), spread);
  EXPECT_EQ(learner.noise(), noise);
  EXPECT_EQ(fadingPredictorTaps(12, learner.spreadPerSymbol(), learner.noise()).size(), 12u);
}

TEST(FadingPredictor, LearnsHowFastAndHowNoisyTheChannelIs) {
  // The moderate and the poor HF paths at 31.25 baud, at two noise levels:
  // a gain of Gaussian spectrum (a Gaussian pulse of time spread tau over
  // white noise has one of standard deviation 1 / (2 sqrt(2) pi tau)).
  for (const auto& [spread, noise] : {std::pair{0.008, 0.03}, std::pair{0.016, 0.005}}) {
    const double tau = 1 / (2 * std::numbers::sqrt2 * std::numbers::pi * spread);
    std::vector<double> pulse;
    for (int t = -static_cast<int>(4 * tau); t <= 4 * tau; ++t) pulse.push_back(std::exp(-t * t / (2 * tau * tau)));
    const double scale = 1 / std::sqrt(std::inner_product(pulse.begin(), pulse.end(), pulse.begin(), 0.0));
    std::mt19937 random(7);
    std::normal_distribution<double> gauss(0.0, std::sqrt(0.5));
    std::vector<std::complex<double>> white(4000 + pulse.size());
    for (auto& w : white) w = {gauss(random), gauss(random)};
    FadingPredictor predictor;
    FadingPredictor::Readings window{};
    double spreads = 0, noises = 0;  // what it has learned, over the last 3000 symbols
    for (std::size_t n = 0; n < 4000; ++n) {
      std::complex<double> gain{};
      for (std::size_t k = 0; k < pulse.size(); ++k) gain += pulse[k] * scale * white[n + k];
      std::copy_backward(window.begin(), window.end() - 1, window.end());
      window[0] = Complex(gain + std::sqrt(noise) * std::complex<double>{gauss(random), gauss(random)});
      if (n >= window.size()) predictor.learn(window);
      if (n >= 1000) spreads += predictor.spreadPerSymbol() / 3000, noises += predictor.noise() / 3000;
    }
    EXPECT_NEAR(spreads, spread, 0.15 * spread);
    EXPECT_NEAR(noises, noise, 0.3 * noise);  // against the power of the last hundred symbols
  }
}

}  // namespace
}  // namespace quillary::psk::test

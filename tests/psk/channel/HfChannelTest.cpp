// The HF channel simulator against the Watterson model's definition: each
// path's gain a complex Gaussian of unit mean power with a Gaussian Doppler
// spectrum two standard deviations of which are the spread; the second path
// delayed; the noise for the SNR in 3 kHz.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "psk/channel/HfChannel.h"

namespace quillary::psk {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(DopplerFading, AUnitPowerRayleighGainWhoseSpectrumIsGaussianWithTheSpread) {
  for (double spread : {0.1, 0.5, 1.0}) {
    SCOPED_TRACE(spread);
    // Some 2000 fades, at the lowest rate the process allows.
    const double rate = 100 * spread;
    std::vector<std::complex<float>> g(static_cast<std::size_t>(2000 / spread * rate));
    DopplerFading fading;
    ASSERT_TRUE(fading.create(rate, spread, 7));
    fading.process(g.size(), g.data());
    double power = 0;
    std::size_t faded = 0;
    for (const auto& x : g) {
      power += std::norm(x);
      faded += std::norm(x) < 0.1;
    }
    power /= g.size();
    EXPECT_NEAR(power, 1.0, 0.06);
    // Rayleigh: the power below a tenth of its mean for 1 - e^-0.1 of the time.
    EXPECT_NEAR(static_cast<double>(faded) / g.size(), 1 - std::exp(-0.1), 0.01);
    // A Gaussian spectrum of standard deviation s has the autocorrelation
    // exp(-2 pi^2 s^2 t^2); with s = spread / 2, exp(-pi^2 (spread t)^2 / 2).
    for (double lag : {0.25, 0.5, 1.0}) {
      const auto shift = static_cast<std::size_t>(std::lround(lag / spread * rate));
      std::complex<double> sum{};
      for (std::size_t n = shift; n < g.size(); ++n) sum += std::complex<double>(g[n]) * std::conj(std::complex<double>(g[n - shift]));
      const double correlation = std::abs(sum) / static_cast<double>(g.size() - shift) / power;
      EXPECT_NEAR(correlation, std::exp(-kPi * kPi * lag * lag / 2), 0.04) << "at " << lag << " / spread";
    }
    fading.reset();
    std::complex<float> first;
    fading.process(1, &first);
    EXPECT_EQ(first, g[0]) << "reset starts the same process again";
  }
}

// Two tones `apart` Hz apart see the channel's response at two frequencies:
// paths of equal power delayed by 0 and d give their mean product
// (1 + e^(-j 2 pi apart d)) / 2, each tone keeping its mean power.
TEST(HfChannel, TheSecondPathLagsByTheDelayAndThePathsShareTheMeanPower) {
  constexpr double kApart = 250, kLow = 1000;
  constexpr std::size_t kBlock = 160;  // 20 ms: whole cycles of both tones
  for (auto [paths, delayMs] : {std::pair{1, 0.0}, {2, 0.5}, {2, 1.0}, {2, 2.0}}) {
    SCOPED_TRACE(delayMs);
    HfChannel channel;
    ASSERT_TRUE(channel.create(8000, 3));
    // A spread wider than any standard condition's, for many fades in 200 s.
    ASSERT_TRUE(channel.configure({paths, delayMs, 5.0}));
    std::vector<float> audio(200 * 8000);
    for (std::size_t n = 0; n < audio.size(); ++n)
      audio[n] = static_cast<float>(std::cos(2 * kPi * kLow * n / 8000) + std::cos(2 * kPi * (kLow + kApart) * n / 8000));
    channel.process(audio.size(), audio.data(), audio.data());
    std::complex<double> product{};
    double low = 0, high = 0;
    for (std::size_t start = HfChannel::kDelay; start + kBlock <= audio.size(); start += kBlock) {
      std::complex<double> a, b;
      for (std::size_t n = start; n < start + kBlock; ++n) {
        const double t = static_cast<double>(n - HfChannel::kDelay) / 8000;  // the time it was sent
        a += 2.0 * audio[n] * std::polar(1.0, -2 * kPi * kLow * t) / double(kBlock);
        b += 2.0 * audio[n] * std::polar(1.0, -2 * kPi * (kLow + kApart) * t) / double(kBlock);
      }
      product += a * std::conj(b);
      low += std::norm(a);
      high += std::norm(b);
    }
    const std::complex<double> expected = (1.0 + std::polar(1.0, 2 * kPi * kApart * delayMs * 1e-3)) / 2.0;
    EXPECT_LT(std::abs(product / std::sqrt(low * high) - expected), 0.06) << product / std::sqrt(low * high);
    const double blocks = static_cast<double>((audio.size() - HfChannel::kDelay) / kBlock);
    EXPECT_NEAR(low / blocks, 1.0, 0.1);
    EXPECT_NEAR(high / blocks, 1.0, 0.1);
  }
}

TEST(HfChannel, NoiseForTheSnrIn3kHzAndRefusesWhatIsNoChannel) {
  HfChannel channel;
  ASSERT_TRUE(channel.create(8000, 1));
  ASSERT_TRUE(channel.setNoise(-10, 0.5));
  std::vector<float> silence(80000, 0.0f);
  channel.process(silence.size(), silence.data(), silence.data());
  double power = 0;
  for (float x : silence) power += double(x) * x;
  // 0.5 at -10 dB is 5 in 3 kHz, so 20/3 over the 4 kHz band.
  EXPECT_NEAR(power / silence.size(), 20.0 / 3, 0.1);

  EXPECT_FALSE(channel.configure({3, 1.0, 0.5}));
  EXPECT_FALSE(channel.configure({2, -1.0, 0.5}));
  EXPECT_FALSE(channel.configure({2, 11.0, 0.5}));
  EXPECT_FALSE(channel.configure({2, 1.0, 0.0}));
  EXPECT_FALSE(channel.setNoise(std::nan(""), 1.0));
  EXPECT_FALSE(channel.setNoise(0, 0.0));
  EXPECT_FALSE(hfConditionNamed("stormy").has_value());
}

}  // namespace
}  // namespace quillary::psk

// The BPSK detector's slips, where its signs all flip from some symbol on,
// are found and mended before the second reading, and a channel that only
// fades and turns is not taken for one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

#include "psk/rx/BpskSlipDetector.h"
#include "psk/rx/BpskSmoother.h"

namespace quillary::psk::test {
namespace {

using Complex = std::complex<double>;

// A channel that fades to a tenth every 150 symbols and turns a full turn
// every 400 (a slow fade, as on a moderate path at 31.25 baud), noise some
// 20 dB under its mean.
struct FadingSymbols {
  std::vector<Complex> channel;
  std::vector<int> signs;  // as sent
  std::vector<Complex> samples;
};

FadingSymbols fadingSymbols(std::size_t count) {
  std::mt19937 random(7);
  std::normal_distribution<double> noise(0.0, 0.07);
  std::bernoulli_distribution coin(0.5);
  FadingSymbols symbols;
  for (std::size_t t = 0; t < count; ++t) {
    const double at = static_cast<double>(t);
    const Complex h = (1.0 + 0.9 * std::cos(2 * std::numbers::pi * at / 150)) *
                      std::polar(1.0, 2 * std::numbers::pi * at / 400);
    const int sign = coin(random) ? 1 : -1;
    symbols.channel.push_back(h);
    symbols.signs.push_back(sign);
    symbols.samples.push_back(static_cast<double>(sign) * h + Complex(noise(random), noise(random)));
  }
  return symbols;
}

TEST(BpskSlipDetector, TellsASlipFromAChannelThatTurns) {
  const FadingSymbols symbols = fadingSymbols(1000);
  BpskSlipDetector detector;
  BpskSlipDetector::Stretch early{};
  EXPECT_EQ(detector.slipLikelihoods(early)[0], 0.0) << "judged before it learnt the channel";
  for (std::size_t t = 0; t < 600; ++t) detector.learn(static_cast<double>(symbols.signs[t]) * symbols.samples[t], true);

  // Stretches around a strong point and a fading one: as they come, and
  // with the detector slipped at the point. (At the bottom of the fade,
  // with the channel as weak as the noise, it may rightly be unsure.)
  for (std::size_t point : {600u, 650u}) {
    BpskSlipDetector::Stretch clean{}, slipped{};
    for (int i = 0; i < BpskSlipDetector::kSpan; ++i) {
      const std::size_t t = point + static_cast<std::size_t>(i) - BpskSlipDetector::kBefore;
      clean[i] = static_cast<double>(symbols.signs[t]) * symbols.samples[t];
      slipped[i] = i < BpskSlipDetector::kBefore ? clean[i] : -clean[i];
    }
    EXPECT_LT(detector.slipLikelihoods(clean)[0], -5.0) << "at " << point;
    const auto [here, next] = detector.slipLikelihoods(slipped);
    EXPECT_GT(here, 5.0) << "at " << point;
    EXPECT_GT(here, next) << "at " << point;
  }
}

// The detector's signs slip twice on the way, once deep in a fade, each
// costing it a bit: the second reading gives the same bits as with a
// detector that never slipped, those at the slips as sent.
std::vector<int> secondReading(const FadingSymbols& symbols, const std::vector<std::size_t>& slips) {
  BpskSmoother smoother;
  EXPECT_TRUE(smoother.create(8, 2));
  std::vector<int> bits;  // by symbol
  int detectorSign = 1, previousSign = 1;
  for (std::size_t t = 0; t < symbols.samples.size(); ++t) {
    if (std::find(slips.begin(), slips.end(), t) != slips.end()) detectorSign = -detectorSign;
    const int sign = detectorSign * symbols.signs[t];
    const int before = std::exchange(previousSign, sign);
    if (const auto out = smoother.push({sign == before ? 1 : 0, sign, symbols.samples[t], true}))
      bits.push_back(out->bit);
  }
  return bits;
}

TEST(BpskSmoother, MendsTheDetectorsSlips) {
  const FadingSymbols symbols = fadingSymbols(1200);
  const std::vector<std::size_t> slips{520, 870};
  const std::vector<int> mended = secondReading(symbols, slips);
  EXPECT_EQ(mended, secondReading(symbols, {}));
  for (std::size_t t : slips) EXPECT_EQ(mended[t], symbols.signs[t] == symbols.signs[t - 1] ? 1 : 0) << "at " << t;
}

}  // namespace
}  // namespace quillary::psk::test

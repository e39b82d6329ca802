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

#include "psk/rx/BpskSmoother.h"

namespace quillary::psk::test {
namespace {

using Complex = std::complex<double>;

// A channel that fades to a tenth every 150 symbols and turns a full turn
// every 400 (a slow fade, as on a moderate path at 31.25 baud), noise some
// 20 dB under its mean.
struct FadingSymbols {
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
    symbols.signs.push_back(sign);
    symbols.samples.push_back(static_cast<double>(sign) * h + Complex(noise(random), noise(random)));
  }
  return symbols;
}

// The bits read again from a detector whose signs slip at `slips`.
std::vector<int> secondReading(const FadingSymbols& symbols, const std::vector<std::size_t>& slips) {
  BpskSmoother smoother;
  EXPECT_TRUE(smoother.create(8, 2, 16));
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

// The detector's signs slip twice on the way, once deep in a fade, each
// costing it a bit: the second reading gives the same bits as from a
// detector that never slipped, those at the slips as sent.
TEST(BpskSmoother, MendsTheDetectorsSlips) {
  const FadingSymbols symbols = fadingSymbols(1200);
  const std::vector<std::size_t> slips{520, 870};
  const std::vector<int> mended = secondReading(symbols, slips);
  EXPECT_EQ(mended, secondReading(symbols, {}));
  for (std::size_t t : slips) EXPECT_EQ(mended[t], symbols.signs[t] == symbols.signs[t - 1] ? 1 : 0) << "at " << t;
}

}  // namespace
}  // namespace quillary::psk::test

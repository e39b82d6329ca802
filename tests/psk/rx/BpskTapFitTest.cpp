// The neighbours' shares of a BPSK symbol's sample are fitted where two
// paths make them differ from the single path's, and left at the single
// path's where they do not.
#include <gtest/gtest.h>

#include <complex>
#include <random>

#include "psk/rx/BpskTapFit.h"
#include "psk/rx/BpskTrellis.h"

namespace quillary::psk::test {
namespace {

using Complex = std::complex<double>;

double farthest(const BpskTaps& a, const BpskTaps& b) {
  return std::max({std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2])});
}

TEST(BpskTapFit, FitsTwoPathsAndFallsBackOnTheSinglePathsShares) {
  const BpskTaps twoPaths{Complex(0.5, 0.2), Complex(0.3, -0.1), Complex(-0.4, 0.3)};
  std::mt19937 random(3);
  std::bernoulli_distribution coin(0.5);
  BpskTapSums sums;
  for (int k = 0; k < 40; ++k) {
    const BpskSigns signs{coin(random) ? 1.0 : -1.0, coin(random) ? 1.0 : -1.0, coin(random) ? 1.0 : -1.0};
    sums.add(0.1, signs, bpskExpected(twoPaths, signs));
  }
  EXPECT_LT(farthest(bpskFitTaps(sums, 1e-9), twoPaths), 1e-6);

  // Reversals alone cannot tell the taps apart: the single path's shares.
  const Complex own(0.2, -0.7);
  const BpskTaps singlePath{kBpskLeak * own, own, kBpskLeak * own};
  BpskTapSums reversals;
  for (int k = 0; k < 40; ++k) {
    const double sign = k % 2 == 0 ? 1.0 : -1.0;
    const BpskSigns signs{-sign, sign, -sign};
    reversals.add(0.1, signs, bpskExpected(singlePath, signs));
  }
  EXPECT_LT(farthest(bpskFitTaps(reversals, 1.0), singlePath), 1e-9);
}

// In noise, the choice keeps the single path's reading where there is one
// path, and takes the fit where there are two.
TEST(BpskTapFit, TheChoiceTakesAFitOnlyWhereTwoPathsShow) {
  const Complex own(0.8, 0.3);
  const BpskTaps singlePath{kBpskLeak * own, own, kBpskLeak * own};
  const BpskTaps twoPaths{Complex(0.5, 0.2), Complex(0.3, -0.1), Complex(-0.4, 0.3)};
  for (const bool twoPathsShow : {false, true}) {
    const BpskTaps& channel = twoPathsShow ? twoPaths : singlePath;
    std::mt19937 random(5);
    std::bernoulli_distribution coin(0.5);
    std::normal_distribution<double> noise(0.0, 0.3);
    BpskTapSums sums;
    BpskTapChoice choice;
    std::optional<BpskTaps> taps;
    for (int k = 0; k < 2000; ++k) {
      const BpskSigns signs{coin(random) ? 1.0 : -1.0, coin(random) ? 1.0 : -1.0, coin(random) ? 1.0 : -1.0};
      const Complex sample = bpskExpected(channel, signs) + Complex(noise(random), noise(random));
      taps = choice.choose(sums, signs, sample, true);
      sums.fade(0.95);
      sums.add(1.0, signs, sample);  // some 20 symbols: the pulls weigh little
    }
    ASSERT_EQ(taps.has_value(), twoPathsShow);
    if (taps) {
      EXPECT_LT(farthest(*taps, twoPaths), 0.15);
    }
  }
}

}  // namespace
}  // namespace quillary::psk::test

// The quality measure behind the squelch: a clean constellation scores 100,
// points beside the axes less, QPSK a quarter turn off and noise next to nothing.
#include "psk/rx/SignalQuality.h"

#include <gtest/gtest.h>

#include <complex>
#include <numbers>
#include <vector>

namespace quillary::psk {
namespace {

using Complex = std::complex<float>;
using std::numbers::pi;

TEST(SignalQuality, TellsConstellationFromNoise) {
  SignalQuality quality;
  EXPECT_FALSE(quality.create(3));
  ASSERT_TRUE(quality.create(4));
  const auto score = [&](double turn, double squared) {
    std::vector<Complex> points;
    for (int k = 0; k < 400; ++k) points.push_back(std::polar(1.0f, float(pi / 2 * (k % 4) + turn + squared * k * k)));
    quality.process(points.size(), points.data());
    return quality.value();
  };
  EXPECT_EQ(score(0, 0), 100);
  EXPECT_NEAR(score(0.3, 0), 68, 1) << "a steady turn beside the axes: (1 + cos 1.2) / 2";
  EXPECT_EQ(quality.coherence(), 100);
  EXPECT_EQ(score(pi / 4, 0), 0) << "QPSK that decodes garbage scores nothing";
  EXPECT_LT(score(0, 0.7), 35) << "random points";
  quality.reset();
  EXPECT_EQ(quality.value(), 0);
}

}  // namespace
}  // namespace quillary::psk

// The receive chain's blocks whose faults the end-to-end tests would show
// only as a wrong character somewhere: symbol timing, the quality measure
// and the frequency tracker's rules.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "psk/FrequencyTracker.h"
#include "psk/SignalQuality.h"
#include "psk/SymbolSync.h"

namespace quillary::psk {
namespace {

using Complex = std::complex<float>;
using std::numbers::pi;

// Baseband of a BPSK station idling: a reversal every symbol on the cosine
// envelope, `sps` samples per symbol, peaks at (k + offset) * sps.
std::vector<Complex> idleBaseband(std::size_t symbols, double sps, double offset) {
  std::vector<Complex> out(static_cast<std::size_t>(symbols * sps));
  for (std::size_t n = 0; n < out.size(); ++n) out[n] = {static_cast<float>(std::cos(pi * (n / sps - offset))), 0.0f};
  return out;
}

TEST(RxBlocks, SymbolSyncFindsThePeaksAndFollowsAClockOff) {
  SymbolSync sync;
  EXPECT_FALSE(sync.create(3));
  for (double sps : {16.0, 16.0 * (1 + 500e-6), 16.0 * (1 - 500e-6)}) {
    ASSERT_TRUE(sync.create(16));
    const auto baseband = idleBaseband(2000, sps, 0.37);  // start half-way between peaks
    std::vector<Complex> symbols;
    sync.process(baseband.size(), baseband.data(), symbols);
    ASSERT_GE(symbols.size(), 1990u);
    // After settling every strobe sits on a peak: full amplitude, alternating.
    for (std::size_t k = 100; k < symbols.size(); ++k) {
      ASSERT_GT(std::abs(symbols[k].real()), 0.98f) << sps << " " << k;
      ASSERT_LT(symbols[k].real() * symbols[k - 1].real(), 0.0f) << sps << " " << k;
    }
    EXPECT_NEAR(sync.period(), sps, 0.002);
  }
}

TEST(RxBlocks, SignalQualityTellsConstellationFromNoise) {
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

TEST(RxBlocks, FrequencyTrackerSeesACarrierOffTuneAndSteersByItsRules) {
  FrequencyTracker tracker;
  EXPECT_FALSE(tracker.create(500, 16, 3));
  ASSERT_TRUE(tracker.create(500, 16, 2));
  auto baseband = idleBaseband(64, 16, 0);  // an idling BPSK31 station 40 Hz high
  for (std::size_t n = 0; n < baseband.size(); ++n) baseband[n] *= std::polar(1.0f, float(2 * pi * 40 * n / 500));
  tracker.processWide(baseband.size(), baseband.data());
  EXPECT_NEAR(tracker.coarseHz(), 40, 1);
  // Beyond the fine range a moment may be noise: the coarse estimate steers
  // once it has stood there three symbols, before the decisions mean anything.
  EXPECT_EQ(tracker.correction(0.0, 0), 0.0);
  double step = 0;
  for (int k = 0; k < 4; ++k) step = tracker.correction(0.0, 0);
  EXPECT_GT(step, 0.0);
  tracker.moved(40);
  EXPECT_NEAR(tracker.coarseHz(), 0, 1);
  // Near the frequency the decided symbols steer, unless it is noise.
  EXPECT_GT(tracker.correction(0.1, 90), 0.0);
  EXPECT_LT(tracker.correction(-0.1, 90), 0.0);
  EXPECT_EQ(tracker.correction(0.1, 10), 0.0);
  EXPECT_FALSE(tracker.tracking());
  for (int k = 0; k < 4; ++k) tracker.correction(0.0, 90);
  EXPECT_TRUE(tracker.tracking()) << "centred and coherent for a tenth of a second";
  tracker.reset();
  EXPECT_FALSE(tracker.tracking());
}

}  // namespace
}  // namespace quillary::psk

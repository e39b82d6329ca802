// The receive chain's blocks on their own.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <numeric>
#include <vector>

#include "psk/DecimatingFir.h"
#include "psk/FirDesign.h"
#include "psk/FrequencyTracker.h"
#include "psk/Mixer.h"
#include "psk/RotationEstimator.h"
#include "psk/SignalQuality.h"
#include "psk/SymbolSync.h"

namespace quillary::psk {
namespace {

using Complex = std::complex<float>;
using std::numbers::pi;

// Baseband of a BPSK station idling: a reversal every symbol, the cosine
// envelope of the on-air shaping, `sps` samples per symbol, symbol peaks at
// times (k + offset) * sps.
std::vector<Complex> idleBaseband(std::size_t symbols, double sps, double offset) {
  std::vector<Complex> out(static_cast<std::size_t>(symbols * sps));
  for (std::size_t n = 0; n < out.size(); ++n)
    out[n] = {static_cast<float>(std::cos(pi * (n / sps - offset))), 0.0f};
  return out;
}

TEST(RxBlocks, FilterDesignsHaveUnityGainAndRejectBadArguments) {
  const auto lowpass = lowpassTaps(101, 0.05);
  ASSERT_EQ(lowpass.size(), 101u);
  EXPECT_NEAR(std::accumulate(lowpass.begin(), lowpass.end(), 0.0), 1.0, 1e-6);
  // Far into the stopband the response is tiny.
  std::complex<double> response{};
  for (std::size_t n = 0; n < lowpass.size(); ++n) response += double(lowpass[n]) * std::polar(1.0, -2 * pi * 0.2 * n);
  EXPECT_LT(std::abs(response), 1e-3);
  EXPECT_TRUE(lowpassTaps(100, 0.05).empty());
  EXPECT_TRUE(lowpassTaps(101, 0.5).empty());
  EXPECT_TRUE(lowpassTaps(1, 0.1).empty());
  const auto pulse = hannPulse(24);
  ASSERT_EQ(pulse.size(), 24u);
  EXPECT_NEAR(std::accumulate(pulse.begin(), pulse.end(), 0.0), 1.0, 1e-6);
  for (std::size_t n = 0; n < 12; ++n) EXPECT_FLOAT_EQ(pulse[n], pulse[23 - n]);
  EXPECT_TRUE(hannPulse(1).empty());
}

TEST(RxBlocks, DecimatingFilterKeepsEveryNthOutputWhateverTheChunks) {
  DecimatingFir fir;
  EXPECT_FALSE(fir.create({}, 2));
  EXPECT_FALSE(fir.create({1.0f}, 0));
  ASSERT_TRUE(fir.create({0.5f, 0.25f, 0.25f}, 1));
  std::vector<Complex> out;
  const std::vector<Complex> impulse{{1, 0}, {0, 0}, {0, 0}, {0, 2}};
  fir.process(impulse.size(), impulse.data(), out);
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out[0], Complex(0.5f, 0));
  EXPECT_EQ(out[1], Complex(0.25f, 0));
  EXPECT_EQ(out[2], Complex(0.25f, 0));
  EXPECT_EQ(out[3], Complex(0, 1));

  std::vector<Complex> signal(1000);
  for (std::size_t n = 0; n < signal.size(); ++n) signal[n] = std::polar(1.0f, 0.01f * n * n);
  DecimatingFir whole, pieces;
  ASSERT_TRUE(whole.create(lowpassTaps(63, 0.1), 4));
  ASSERT_TRUE(pieces.create(lowpassTaps(63, 0.1), 4));
  std::vector<Complex> a, b;
  whole.process(signal.size(), signal.data(), a);
  for (std::size_t at = 0, step = 1; at < signal.size(); at += step, step = step % 7 + 1)
    pieces.process(std::min(step, signal.size() - at), signal.data() + at, b);
  EXPECT_EQ(a.size(), 250u);
  EXPECT_EQ(a, b);
}

TEST(RxBlocks, MixerBringsTheReceiveFrequencyToZero) {
  Mixer mixer;
  EXPECT_FALSE(mixer.create(8000, 4000));
  EXPECT_FALSE(mixer.create(8000, 0));
  ASSERT_TRUE(mixer.create(8000, 1000));
  EXPECT_FALSE(mixer.setFrequency(-5));
  EXPECT_DOUBLE_EQ(mixer.frequency(), 1000);
  // 0.3 cos(w t + 0.5): the baseband is 0.3 exp(j 0.5) plus an image at
  // -2000 Hz that averages out over whole cycles.
  std::vector<float> audio(800);
  for (std::size_t n = 0; n < audio.size(); ++n)
    audio[n] = static_cast<float>(0.3 * std::cos(2 * pi * 1000 * n / 8000 + 0.5));
  audio[17] = std::numeric_limits<float>::quiet_NaN();  // a damaged sample
  std::vector<Complex> baseband(audio.size());
  mixer.process(audio.size(), audio.data(), baseband.data());
  const Complex mean = std::accumulate(baseband.begin(), baseband.end(), Complex{}) / 800.0f;
  EXPECT_NEAR(std::abs(mean), 0.3, 0.01);
  EXPECT_NEAR(std::arg(mean), 0.5, 0.02);
}

TEST(RxBlocks, SymbolSyncFindsThePeaksAndFollowsAClockOff) {
  SymbolSync sync;
  EXPECT_FALSE(sync.create(3));
  EXPECT_FALSE(sync.create(16, 0.0));
  for (double sps : {16.0, 16.0 * (1 + 500e-6), 16.0 * (1 - 500e-6)}) {
    ASSERT_TRUE(sync.create(16));
    const auto baseband = idleBaseband(2000, sps, 0.37);  // start half-way between peaks
    std::vector<Complex> symbols;
    sync.process(baseband.size(), baseband.data(), symbols);
    ASSERT_GE(symbols.size(), 1990u);
    // After settling every strobe sits on a peak: full amplitude, signs
    // alternating.
    for (std::size_t k = 100; k < symbols.size(); ++k) {
      EXPECT_GT(std::abs(symbols[k].real()), 0.98f) << sps << " " << k;
      EXPECT_LT(symbols[k].real() * symbols[k - 1].real(), 0.0f) << sps << " " << k;
    }
    EXPECT_NEAR(sync.period(), sps, 0.002);
  }
}

TEST(RxBlocks, SignalQualityTellsConstellationFromNoise) {
  SignalQuality quality;
  EXPECT_FALSE(quality.create(3));
  ASSERT_TRUE(quality.create(4));
  std::vector<Complex> clean;
  for (int k = 0; k < 200; ++k) clean.push_back(std::polar(1.0f, float(pi / 2 * (k % 4) + 0.3)));
  quality.process(clean.size(), clean.data());
  EXPECT_EQ(quality.coherence(), 100) << "a constant turn (a station off tune) keeps it coherent";
  EXPECT_NEAR(quality.value(), 68, 1) << "but its points sit beside the axes: (1 + cos 1.2) / 2";
  std::vector<Complex> onAxes;
  for (int k = 0; k < 200; ++k) onAxes.push_back(std::polar(1.0f, float(pi / 2 * (k % 4))));
  quality.process(onAxes.size(), onAxes.data());
  EXPECT_EQ(quality.value(), 100);
  // A whole quarter turn per symbol: QPSK that decodes garbage scores nothing.
  std::vector<Complex> quarterOff;
  for (int k = 0; k < 200; ++k) quarterOff.push_back(std::polar(1.0f, float(pi / 2 * (k % 4) + pi / 4)));
  quality.process(quarterOff.size(), quarterOff.data());
  EXPECT_EQ(quality.value(), 0);
  EXPECT_EQ(quality.coherence(), 100);
  std::vector<Complex> random;
  for (int k = 0; k < 400; ++k) random.push_back(std::polar(1.0f, float(k * k * 0.7)));
  quality.process(random.size(), random.data());
  EXPECT_LT(quality.value(), 35);
  quality.reset();
  EXPECT_EQ(quality.value(), 0);
}

TEST(RxBlocks, RotationEstimatorFindsACarrierAndIgnoresNoise) {
  RotationEstimator estimator;
  EXPECT_FALSE(estimator.create(500, 0));
  ASSERT_TRUE(estimator.create(500, 0.25));
  std::vector<Complex> tone(500);
  for (std::size_t n = 0; n < tone.size(); ++n) tone[n] = std::polar(1.0f, float(2 * pi * -23.0 * n / 500));
  estimator.process(tone.size(), tone.data());
  EXPECT_NEAR(estimator.hz(), -23, 0.01);
  EXPECT_GT(estimator.correlation(), 0.95);
  estimator.moved(-23);  // the mixer follows: the estimate drops to zero at once
  EXPECT_NEAR(estimator.hz(), 0, 0.01);
  estimator.reset();
  std::vector<Complex> hiss(5000);
  unsigned seed = 1;
  for (auto& v : hiss) {
    seed = seed * 1103515245u + 12345u;
    const float a = (seed >> 8) / 16777216.0f - 0.5f;
    seed = seed * 1103515245u + 12345u;
    v = {a, (seed >> 8) / 16777216.0f - 0.5f};
  }
  estimator.process(hiss.size(), hiss.data());
  EXPECT_LT(estimator.correlation(), 0.2) << "white noise does not correlate three samples apart";
}

TEST(RxBlocks, FrequencyTrackerSeesACarrierOffTune) {
  FrequencyTracker tracker;
  EXPECT_FALSE(tracker.create(500, 16, 3));
  ASSERT_TRUE(tracker.create(500, 16, 2));
  // An idling BPSK31 station 40 Hz above the receive frequency.
  auto baseband = idleBaseband(64, 16, 0);
  for (std::size_t n = 0; n < baseband.size(); ++n) baseband[n] *= std::polar(1.0f, float(2 * pi * 40 * n / 500));
  tracker.processWide(baseband.size(), baseband.data());
  EXPECT_NEAR(tracker.coarseHz(), 40, 1);
  // A moment beyond the fine range may be noise: the coarse estimate steers
  // only once it has stood there a tenth of a second (three symbols).
  EXPECT_EQ(tracker.correction(0.0, 0), 0.0);
  double step = 0;
  for (int k = 0; k < 4; ++k) step = tracker.correction(0.0, 0);
  EXPECT_GT(step, 0.0) << "pulls up even before the decisions mean anything";
  tracker.moved(40);
  EXPECT_NEAR(tracker.coarseHz(), 0, 1);
  // Near the frequency the decided symbols steer: a phase error of +0.1 rad
  // per symbol is a frequency error of +0.5 Hz at 31.25 baud.
  EXPECT_GT(tracker.correction(0.1, 90), 0.0);
  EXPECT_LT(tracker.correction(-0.1, 90), 0.0);
  EXPECT_EQ(tracker.correction(0.1, 10), 0.0) << "nothing to follow in noise";

  // Centred and coherent for a tenth of a second: the station is held.
  EXPECT_FALSE(tracker.tracking());
  for (int k = 0; k < 4; ++k) tracker.correction(0.0, 90);
  EXPECT_TRUE(tracker.tracking());
  tracker.reset();
  EXPECT_FALSE(tracker.tracking());
}

}  // namespace
}  // namespace quillary::psk

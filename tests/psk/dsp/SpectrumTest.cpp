// The spectrum: bins of 3.90625 Hz, magnitudes on 0..scale, smoothing,
// bias and the strongest peak in a range.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <thread>
#include <tuple>
#include <vector>

#include "../PskTestSignals.h"
#include "psk/dsp/SpectrumAnalyzer.h"

namespace quillary::psk {
namespace {

// `seconds` of a tone at 8000 Hz.
std::vector<float> tone(double hz, double amplitude, double seconds) {
  return test::tone(hz, 8000, static_cast<std::size_t>(seconds * 8000), amplitude);
}

std::array<int32_t, 1024> bins(const SpectrumAnalyzer& analyzer) {
  std::array<int32_t, 1024> values{};
  analyzer.fill(values.data(), 0, 1023);
  return values;
}

TEST(Spectrum, AToneAt1500HzPeaksInBin384AndClosestPeakLooksOnlyBetweenItsEdges) {
  SpectrumAnalyzer analyzer;
  EXPECT_EQ(analyzer.closestPeak(1300, 1500), 1300) << "no audio yet: the low edge";
  auto samples = tone(1500, 0.5, 1);
  const auto weaker = tone(1203, 0.05, 1);
  for (std::size_t n = 0; n < samples.size(); ++n) samples[n] += weaker[n];
  analyzer.process(samples.size(), samples.data());
  const auto values = bins(analyzer);
  EXPECT_EQ(std::max_element(values.begin(), values.end()) - values.begin(), 384);
  EXPECT_NEAR(values[384], 94, 2);  // half scale is about 6 dB under full: one unit a dB
  EXPECT_TRUE(std::all_of(values.begin(), values.end(), [](int32_t v) { return v >= 0 && v <= 100; }));
  EXPECT_EQ(analyzer.closestPeak(1000, 2000), 1500);
  EXPECT_NEAR(analyzer.closestPeak(1100, 1300), 1203, 2);  // the strong tone is outside
  EXPECT_EQ(analyzer.closestPeak(1600, 1500), 1600) << "an empty range: the low edge";
}

TEST(Spectrum, BiasLiftsTheTraceAndSmoothingSteadiesIt) {
  SpectrumAnalyzer analyzer;
  ASSERT_TRUE(analyzer.setMode(1, 100, 1));
  const auto samples = tone(1000, 0.01, 1);  // -46 dB: clear of both ends
  analyzer.process(samples.size(), samples.data());
  const int level = bins(analyzer)[256];
  ASSERT_TRUE(analyzer.setMode(1, 100, 21));
  EXPECT_EQ(bins(analyzer)[256], level + 20);
  ASSERT_TRUE(analyzer.setMode(1, 50, 1));
  EXPECT_NEAR(bins(analyzer)[256], level / 2.0, 1);

  // A tone switched on: unsmoothed it shows at once, smoothed it climbs.
  SpectrumAnalyzer quick, steady;
  ASSERT_TRUE(quick.setMode(1, 100, 1));
  ASSERT_TRUE(steady.setMode(10, 100, 1));
  const auto silence = std::vector<float>(8000, 1e-4f);
  const auto on = tone(1000, 0.5, 0.3);
  for (auto* a : {&quick, &steady}) {
    a->process(silence.size(), silence.data());
    a->process(on.size(), on.data());
  }
  EXPECT_GT(bins(quick)[256], bins(steady)[256] + 10);
}

TEST(Spectrum, RejectsBadModesAndClampsTheBinRange) {
  SpectrumAnalyzer analyzer;
  for (auto [smoothing, scale, bias] : {std::tuple{0, 100, 1}, {11, 100, 1}, {3, 100, 0}, {3, 100, 91}, {3, 0, 1}})
    EXPECT_FALSE(analyzer.setMode(smoothing, scale, bias)) << smoothing << " " << scale << " " << bias;
  EXPECT_TRUE(analyzer.setMode(10, 100, 90));
  std::array<int32_t, 1024> values;
  values.fill(-7);
  analyzer.fill(values.data(), 300, 310);
  EXPECT_EQ(values[299], -7) << "only the requested bins are written";
  EXPECT_EQ(values[311], -7);
  EXPECT_NE(values[300], -7);
  analyzer.fill(values.data(), -5, 2000);  // clamped to 0..1023, no overrun
  EXPECT_NE(values[0], -7);
}

TEST(Spectrum, AnalyzersCanBeMadeOnSeveralThreadsAtOnce) {
  // FFTW's planner is not thread-safe; plan creation is guarded.
  std::vector<std::thread> threads;
  std::array<int, 4> peaks{};
  for (int i = 0; i < 4; ++i)
    threads.emplace_back([i, &peaks] {
      SpectrumAnalyzer analyzer;
      const auto samples = tone(1000 + 100 * i, 0.5, 0.5);
      analyzer.process(samples.size(), samples.data());
      peaks[i] = analyzer.closestPeak(900, 1500);
    });
  for (auto& t : threads) t.join();
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(peaks[i], 1000 + 100 * i, 2);
}

}  // namespace
}  // namespace quillary::psk

// Sample-rate conversion keeps the band clean of images and aliases;
// spectrum analyzers may be made on several threads at once (FFTW's planner
// is not thread-safe).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <stdexcept>
#include <thread>
#include <vector>

#include "../PskTestSignals.h"
#include "psk/dsp/Resampler.h"
#include "psk/dsp/SpectrumAnalyzer.h"

namespace quillary::psk {
namespace {

using test::tone;

constexpr double kPi = std::numbers::pi;

std::vector<float> convert(double from, double to, const std::vector<float>& input) {
  Resampler resampler(from, to);
  std::vector<float> out;
  resampler.process(input.size(), input.data(), out);
  resampler.flush(out);
  return out;
}

// Amplitude of `hz` in samples [first, first + length), Blackman-Harris
// windowed (sidelobes below -92 dB).
double amplitudeAt(const std::vector<float>& x, double rate, double hz, std::size_t first,
                                 std::size_t length) {
  std::complex<double> sum;
  double weights = 0;
  for (std::size_t i = 0; i < length; ++i) {
    const double a = 2 * kPi * i / (length - 1);
    const double w = 0.35875 - 0.48829 * std::cos(a) + 0.14128 * std::cos(2 * a) - 0.01168 * std::cos(3 * a);
    const std::size_t n = first + i;
    sum += x[n] * w * std::polar(1.0, -2 * kPi * hz * n / rate);
    weights += w;
  }
  return 2.0 * std::abs(sum) / weights;
}

double db(double ratio) { return 20 * std::log10(ratio); }

TEST(Resampler, RejectsImagesWhenGoingUpAndAliasesWhenGoingDown) {
  for (double to : {11025.0, 48000.0, 47999.7}) {
    for (double hz : {1000.0, 3500.0}) {
      const auto output = convert(8000, to, tone(hz, 8000, 16000));
      const std::size_t first = static_cast<std::size_t>(to / 2), length = static_cast<std::size_t>(to);
      const double wanted = amplitudeAt(output, to, hz, first, length);
      EXPECT_NEAR(db(wanted / 0.5), 0.0, 0.5) << to;
      for (double image : {8000 - hz, 8000 + hz, 16000 - hz, 16000 + hz}) {
        if (image >= to / 2) continue;
        EXPECT_LT(db(amplitudeAt(output, to, image, first, length) / wanted), -60.0)
            << "8000 -> " << to << " image of " << hz << " at " << image;
      }
    }
  }
  for (double from : {11025.0, 48000.0}) {
    for (double hz : {4100.0, 4600.0, 7000.0}) {  // would fold back into the band
      if (hz >= from / 2) continue;
      const auto output = convert(from, 8000, tone(hz, from, static_cast<std::size_t>(2 * from)));
      const double folded = hz < 8000 ? 8000 - hz : hz - 8000;
      EXPECT_LT(db(amplitudeAt(output, 8000, folded, 4000, 8000) / 0.5), -60.0) << from << " -> 8000, tone at " << hz;
    }
  }
}

TEST(Resampler, ChunksGiveTheSameOutputAsOneCallAndOnlyTheLookaheadIsHeldBack) {
  std::mt19937 random(7);
  std::normal_distribution<float> noise(0.0f, 0.3f);
  std::vector<float> input(30000);
  for (float& x : input) x = noise(random);
  for (auto [from, to] : {std::pair{48000.0, 8000.0}, {8000.0, 44100.0}, {8000.0, 47999.7}}) {
    Resampler pieces(from, to);
    std::vector<float> chunked;
    std::uniform_int_distribution<std::size_t> size(0, 700);
    for (std::size_t at = 0; at < input.size();) {
      const std::size_t take = std::min(size(random), input.size() - at);
      pieces.process(take, input.data() + at, chunked);
      at += take;
    }
    pieces.flush(chunked);
    EXPECT_EQ(convert(from, to, input), chunked) << from << " -> " << to;
  }
  for (auto [from, to] : {std::pair{0.0, 8000.0}, {8000.0, -1.0}, {NAN, 8000.0}, {8000.0, INFINITY}})
    EXPECT_THROW(Resampler(from, to), std::invalid_argument) << from << " -> " << to;
}

TEST(Spectrum, AnalyzersCanBeMadeOnSeveralThreadsAtOnce) {
  std::vector<std::thread> threads;
  std::array<int, 4> peaks{};
  for (int i = 0; i < 4; ++i)
    threads.emplace_back([i, &peaks] {
      SpectrumAnalyzer analyzer;
      const auto samples = tone(1000 + 100 * i, 8000, 4000);
      analyzer.process(samples.size(), samples.data());
      peaks[i] = analyzer.closestPeak(900, 1500);
    });
  for (auto& t : threads) t.join();
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(peaks[i], 1000 + 100 * i, 2);
}

}  // namespace
}  // namespace quillary::psk

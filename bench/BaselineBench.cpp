// Baselines measured in the same run as the other benchmarks, so their
// figures can be read as ratios that hold on a busy or a different machine:
//  - one second of audio through a plain 64-tap FIR filter (for the engine);
//  - clearing a spectrum-sized picture (for the drawing).
#include <QColor>
#include <QImage>
#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {

void BM_BaselineFir64OneSecond(benchmark::State& state) {
  constexpr int kTaps = 64, kSamples = 8000;
  std::vector<float> taps(kTaps), audio(kSamples + kTaps), out(kSamples);
  for (int i = 0; i < kTaps; ++i) taps[i] = 0.5f - 0.5f * std::cos(6.2831853f * i / kTaps);
  for (std::size_t i = 0; i < audio.size(); ++i) audio[i] = std::sin(0.3f * static_cast<float>(i));
  for (auto _ : state) {
    for (int n = 0; n < kSamples; ++n) {
      float sum = 0;
      for (int k = 0; k < kTaps; ++k) sum += taps[k] * audio[n + k];
      out[n] = sum;
    }
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BaselineFir64OneSecond)->Unit(benchmark::kMicrosecond);

void BM_BaselineClearSpectrumPicture(benchmark::State& state) {
  QImage picture(640, 120, QImage::Format_RGB32);
  for (auto _ : state) {
    picture.fill(QColor(0, 0, 128));
    benchmark::DoNotOptimize(picture.constBits());
  }
}
BENCHMARK(BM_BaselineClearSpectrumPicture)->Unit(benchmark::kMicrosecond);

}  // namespace

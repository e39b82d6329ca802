// Costs of the receive displays: one spectrum redraw, one vector-and-level
// redraw, a whole display-ready notification's drawing, and received
// characters going into the receive area.
#include <algorithm>
#include <array>
#include <cmath>
#include <random>

#include <QApplication>
#include <QImage>
#include <QPlainTextEdit>
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "display/ImdPicture.h"
#include "display/SpectrumPicture.h"
#include "display/VectorPicture.h"
#include "link/PlainTextReceiveArea.h"
#include "link/ReceivedText.h"

namespace quillary {
namespace {

using bench::bandBins;
using bench::ensureApplication;

// The worst case: every bin jumps anywhere in 0..100, so every trace
// segment is a long line.
std::array<int32_t, 1024> wildBins() {
  std::array<int32_t, 1024> bins{};
  std::mt19937 random(7);
  std::uniform_int_distribution<int32_t> magnitude(0, 100);
  for (int32_t& bin : bins) bin = magnitude(random);
  return bins;
}

std::array<int32_t, 16> vectorPoints() {
  return {1000, 0, 980, 40, -990, 10, -1000, -30, 970, 20, -960, 5, 1000, -10, -985, 0};
}

// Picture sizes of the control panel at 96 DPI.
constexpr int kSpectrumWidth = 640, kSpectrumHeight = 120;
constexpr int kVectorSide = 96;
constexpr int kLevelWidth = 16, kLevelHeight = 96;

void BM_SpectrumRedraw500To3000(benchmark::State& state) {
  const auto bins = bandBins();
  QImage image(kSpectrumWidth, kSpectrumHeight, QImage::Format_RGB32);
  const SpectrumView view{DisplayRange{500, 3000, 25}, bins.data(), 1600.0, 1500.0};
  for (auto _ : state) {
    renderSpectrum(image, view);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_SpectrumRedraw500To3000)->Unit(benchmark::kMicrosecond);

void BM_SpectrumRedrawWildBins(benchmark::State& state) {
  const auto bins = wildBins();
  QImage image(kSpectrumWidth, kSpectrumHeight, QImage::Format_RGB32);
  const SpectrumView view{DisplayRange{500, 3000, 25}, bins.data(), 1600.0, 1500.0};
  for (auto _ : state) {
    renderSpectrum(image, view);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_SpectrumRedrawWildBins)->Unit(benchmark::kMicrosecond);

void BM_VectorAndLevelRedraw(benchmark::State& state) {
  const auto points = vectorPoints();
  QImage vector(kVectorSide, kVectorSide, QImage::Format_RGB32);
  QImage level(kLevelWidth, kLevelHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    renderPhaseVector(vector, points.data(), 64);
    renderLevelBar(level, 64, 20);
    benchmark::DoNotOptimize(vector.constBits());
    benchmark::DoNotOptimize(level.constBits());
  }
}
BENCHMARK(BM_VectorAndLevelRedraw)->Unit(benchmark::kMicrosecond);

// Everything one display-ready notification draws.
void BM_DisplayReadyDrawing(benchmark::State& state) {
  const auto bins = bandBins();
  const auto points = vectorPoints();
  QImage spectrum(kSpectrumWidth, kSpectrumHeight, QImage::Format_RGB32);
  QImage vector(kVectorSide, kVectorSide, QImage::Format_RGB32);
  QImage level(kLevelWidth, kLevelHeight, QImage::Format_RGB32);
  const SpectrumView view{DisplayRange{500, 3000, 25}, bins.data(), 1600.0, 1500.0};
  for (auto _ : state) {
    renderPhaseVector(vector, points.data(), 64);
    renderLevelBar(level, 64, 20);
    renderSpectrum(spectrum, view);
    benchmark::DoNotOptimize(spectrum.constBits());
  }
}
BENCHMARK(BM_DisplayReadyDrawing)->Unit(benchmark::kMicrosecond);

void BM_ImdMeterRedraw(benchmark::State& state) {
  QImage meter(120, 16, QImage::Format_RGB32);
  for (auto _ : state) {
    renderImdMeter(meter, -27);
    benchmark::DoNotOptimize(meter.constBits());
  }
}
BENCHMARK(BM_ImdMeterRedraw)->Unit(benchmark::kMicrosecond);

// 100 000 received characters, a line end after every 60, into a shown
// receive area: the area is cut back about every 500 characters.
void BM_Receive100000Characters(benchmark::State& state) {
  ensureApplication();
  constexpr int kCharacters = 100000;
  for (auto _ : state) {
    state.PauseTiming();
    QPlainTextEdit box;
    box.setPlainText("Receive Area\r\n");
    box.resize(400, 300);
    box.show();
    PlainTextReceiveArea area(box);
    ReceivedText rules(CodePage::Cp1252);
    state.ResumeTiming();
    for (int i = 0; i < kCharacters; ++i) {
      const int byte = (i % 61 == 60) ? 13 : 'A' + i % 26;
      benchmark::DoNotOptimize(rules.take(byte, 0, false, area));
    }
    state.PauseTiming();
    benchmark::DoNotOptimize(area.length());
    box.close();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kCharacters);
}
BENCHMARK(BM_Receive100000Characters)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillary

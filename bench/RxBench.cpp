// Receive side: throughput of the receiver per mode ("realtime": seconds of
// audio decoded per second) and the spectrum analyzer's. The character error
// rate against the signal-to-noise ratio is SensitivityBench's.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "RxSignals.h"
#include "psk/PskMode.h"
#include "psk/dsp/SpectrumAnalyzer.h"
#include "psk/rx/Receiver.h"
#include "psk/tx/Transmitter.h"

namespace {

using namespace quillary::psk;

void RxThroughput(benchmark::State& state) {
  const int code = static_cast<int>(state.range(0));
  const bool afc = state.range(1) != 0;
  auto audio = quillary::bench::transmission(code, "The quick brown fox jumps over the lazy dog 0123456789\r\n");
  quillary::bench::addNoise(audio, 10, 1);
  Receiver rx;
  rx.setMode(code);
  rx.setFrequency(1500);
  rx.setAfcLimit(afc ? 500 : 0);
  std::vector<uint8_t> bytes;
  double seconds = 0;
  constexpr std::size_t kBlock = 800;  // 100 ms, as a sound card delivers it
  std::size_t at = 0;
  for (auto _ : state) {
    if (at + kBlock > audio.size()) at = 0;
    bytes.clear();
    rx.process(kBlock, audio.data() + at, bytes);
    benchmark::DoNotOptimize(bytes.data());
    at += kBlock;
    seconds += kBlock / kSampleRate;
  }
  state.counters["realtime"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
  state.SetLabel(afc ? "AFC on" : "AFC off");
}
BENCHMARK(RxThroughput)
    ->ArgsProduct({{0, 1, 8, 9, 16, 17}, {0, 1}})
    ->ArgNames({"mode", "afc"});

void RxSpectrum(benchmark::State& state) {
  SpectrumAnalyzer analyzer;
  std::vector<float> audio(800);
  std::mt19937 random(2);
  std::normal_distribution<float> gauss(0.0f, 0.1f);
  for (float& s : audio) s = gauss(random);
  double seconds = 0;
  for (auto _ : state) {
    analyzer.process(audio.size(), audio.data());
    seconds += audio.size() / kSampleRate;
  }
  state.counters["realtime"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
}
BENCHMARK(RxSpectrum);

}  // namespace

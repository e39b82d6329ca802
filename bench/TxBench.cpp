// Transmit throughput: how many times faster than real time the modulator
// and the resampler run. "realtime" is seconds of audio made per second.
#include <benchmark/benchmark.h>

#include <vector>

#include "psk/PskMode.h"
#include "psk/dsp/Resampler.h"
#include "psk/tx/Transmitter.h"

namespace {

using namespace quillary::psk;

void TxModulator(benchmark::State& state) {
  const int code = static_cast<int>(state.range(0));
  Transmitter tx;
  tx.start(code);
  std::vector<float> block(512);
  std::size_t samples = 0;
  for (auto _ : state) {
    if (tx.charsRemaining() < 100) tx.enqueue("The quick brown fox jumps over the lazy dog 0123456789\r\n");
    tx.process(block.size(), block.data());
    benchmark::DoNotOptimize(block.data());
    samples += block.size();
  }
  state.counters["realtime"] = benchmark::Counter(samples / kSampleRate, benchmark::Counter::kIsRate);
  state.SetLabel(code == kTuneCode ? "tune" : (modeFromCode(code)->qpsk ? "QPSK" : "BPSK"));
}
BENCHMARK(TxModulator)->Arg(0)->Arg(1)->Arg(8)->Arg(9)->Arg(16)->Arg(17)->Arg(kTuneCode);

void TxResampler(benchmark::State& state) {
  const double from = static_cast<double>(state.range(0)), to = static_cast<double>(state.range(1));
  Resampler resampler(from, to);
  std::vector<float> input(static_cast<std::size_t>(from / 10), 0.25f);  // 100 ms
  std::vector<float> output;
  double seconds = 0;
  for (auto _ : state) {
    output.clear();
    resampler.process(input.size(), input.data(), output);
    benchmark::DoNotOptimize(output.data());
    seconds += 0.1;
  }
  state.counters["realtime"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
}
BENCHMARK(TxResampler)->Args({8000, 48000})->Args({48000, 8000})->Args({8000, 44100})->Args({44100, 8000});

}  // namespace

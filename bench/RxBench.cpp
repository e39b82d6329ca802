// Receive side: throughput of the receiver per mode ("realtime": seconds of
// audio decoded per second), the spectrum analyzer's, and the decoder's
// character error rate against the signal-to-noise ratio in 3 kHz ("cer",
// one run of 256 characters per mode and SNR, fixed noise seed).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "psk/PskMode.h"
#include "psk/dsp/SpectrumAnalyzer.h"
#include "psk/rx/Receiver.h"
#include "psk/tx/Transmitter.h"

namespace {

using namespace quillary::psk;

std::vector<float> transmission(int code, const std::string& text) {
  Transmitter tx;
  tx.setFrequency(1500);
  tx.start(code);
  tx.enqueue(text);
  tx.stop();
  std::vector<float> samples, block(1024);
  while (true) {
    const auto events = tx.process(block.size(), block.data());
    samples.insert(samples.end(), block.begin(), block.end());
    if (events.turnedOff || !tx.on()) break;
  }
  return samples;
}

void addNoise(std::vector<float>& samples, double snrDb, unsigned seed) {
  double power = 0;
  for (float s : samples) power += double(s) * s;
  power /= samples.size();
  const double noisePower = power / std::pow(10.0, snrDb / 10) * 4000.0 / 3000.0;
  std::mt19937 random(seed);
  std::normal_distribution<double> gauss(0.0, std::sqrt(noisePower));
  for (float& s : samples) s = static_cast<float>(s + gauss(random));
}

double errorRate(const std::string& expected, const std::string& got) {
  std::vector<std::size_t> row(got.size() + 1), next(got.size() + 1);
  for (std::size_t j = 0; j <= got.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= expected.size(); ++i) {
    next[0] = i;
    for (std::size_t j = 1; j <= got.size(); ++j)
      next[j] = std::min({row[j] + 1, next[j - 1] + 1, row[j - 1] + (expected[i - 1] != got[j - 1])});
    std::swap(row, next);
  }
  return double(row[got.size()]) / expected.size();
}

std::string decode(int code, std::vector<float> samples) {
  Receiver rx;
  rx.setMode(code);
  rx.setFrequency(1500);
  samples.resize(samples.size() + 8000, 0.0f);  // a second of silence flushes the end
  std::vector<uint8_t> bytes;
  rx.process(samples.size(), samples.data(), bytes);
  return {bytes.begin(), bytes.end()};
}

void RxThroughput(benchmark::State& state) {
  const int code = static_cast<int>(state.range(0));
  const bool afc = state.range(1) != 0;
  auto audio = transmission(code, "The quick brown fox jumps over the lazy dog 0123456789\r\n");
  addNoise(audio, 10, 1);
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

void RxCharacterErrorRate(benchmark::State& state) {
  const int code = static_cast<int>(state.range(0));
  const double snr = static_cast<double>(state.range(1));
  std::string text;
  for (int b = 0; b < 256; ++b) text += static_cast<char>(b);
  auto audio = transmission(code, text);
  addNoise(audio, snr, 7);
  double cer = 0;
  for (auto _ : state) cer = errorRate(text, decode(code, audio));
  state.counters["cer"] = cer;
  state.counters["snr_db"] = snr;
}
BENCHMARK(RxCharacterErrorRate)
    ->ArgsProduct({{0, 1, 8, 9, 16, 17}, {-15, -12, -9, -6, -3, 0}})
    ->ArgNames({"mode", "snr"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

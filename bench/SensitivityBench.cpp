// How weak a station the receiver copies: the character error rate per mode
// at -4 to -16 dB in 3 kHz, in steps of 1 dB, with AFC off and on (limit
// 500 Hz, as the terminal sets it). Each point sends the English text three
// times with different noise (fixed seeds): over 3000 characters. The
// station is in tune at 1500 Hz, the squelch open, and a second of noise
// comes before and after it. Run by hand, it takes minutes:
//   build/bench/quillary_bench --benchmark_filter=RxSensitivity
// "cer_pct" is the edit distance from the text sent to the best-matching
// part of what was printed, over the text's length, in per cent (what the
// open squelch prints in the noise around the transmission does not
// count); "chars" the characters sent.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "RxSignals.h"
#include "psk/PskMode.h"

namespace {

using namespace quillary;
using namespace quillary::psk;

constexpr unsigned kSeeds[] = {101, 202, 303};

void RxSensitivity(benchmark::State& state) {
  const int code = static_cast<int>(state.range(0));
  const bool afc = state.range(1) != 0;
  const double snr = static_cast<double>(state.range(2));
  const std::vector<float> clean = bench::transmissionInSilence(code, bench::kEnglishText);
  std::size_t edits = 0, chars = 0;
  for (auto _ : state) {
    for (unsigned seed : kSeeds) {
      std::vector<float> noisy = clean;
      bench::addNoise(noisy, snr, seed + static_cast<unsigned>(code));
      edits += bench::editDistance(bench::kEnglishText, bench::received(code, afc ? 500 : 0, noisy));
      chars += bench::kEnglishText.size();
    }
  }
  state.counters["cer_pct"] = 100.0 * static_cast<double>(edits) / static_cast<double>(chars);
  state.counters["chars"] = static_cast<double>(chars);
}

void allPoints(benchmark::internal::Benchmark* bench) {
  for (int code : {0, 1, 8, 9, 16, 17})
    for (int afc : {0, 1})
      for (int snr = -4; snr >= -16; --snr) bench->Args({code, afc, snr});
}
BENCHMARK(RxSensitivity)
    ->Apply(allPoints)
    ->ArgNames({"mode", "afc", "snr"})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace

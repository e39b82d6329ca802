// How well the receiver copies through fading: the character error rate per
// mode on the Watterson HF channel ("good" 0.5 ms / 0.1 Hz, "moderate"
// 1 ms / 0.5 Hz, "poor" 2 ms / 1 Hz, "flat" one path at 1 Hz) against the
// signal-to-noise ratio in 3 kHz (mean received power), AFC on (limit
// 500 Hz), squelch open. Each point sends the English text six times, each
// time through its own fading and noise (fixed seeds): over 6800
// characters. Run by hand; the whole table takes several minutes:
//   build/bench/quillary_bench --benchmark_filter=RxFading
//   build/bench/quillary_bench --benchmark_filter='RxFading/mode:0/condition:1/'
// "cer_pct" as in RxSensitivity. Beside it the limit for a receiver that
// decides bit by bit with ideal symbol timing over flat Rayleigh fading at
// the same mean Eb/N0 (see FadingBounds.h): "coherent_pct" with the
// carrier's phase known (the bits then read differentially),
// "differential_pct" for a differential detector. For BPSK, what an ideal
// detector copies from the very same audio (see FadingGenie.h):
// "genie_coherent_pct" told the channel's gain and phase at every symbol,
// "genie_differential_pct" from consecutive matched-filter samples; the
// first shows whether the formula holds for the simulated channel. Over
// two paths, "genie_two_path_pct": what the ideal receiver told each
// path's gain copies, the bound on this channel (the formulas' flat
// fading leaves out what the two paths' diversity is worth).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "FadingBounds.h"
#include "FadingGenie.h"
#include "RxSignals.h"
#include "psk/PskMode.h"
#include "psk/channel/HfChannel.h"

namespace {

using namespace quillary;
using namespace quillary::psk;

constexpr unsigned kSeeds[] = {101, 202, 303, 404, 505, 606};
constexpr const char* kConditions[] = {"good", "moderate", "poor", "flat"};

void RxFading(benchmark::State& state) {
  const int code = static_cast<int>(state.range(0));
  const HfCondition condition = *hfConditionNamed(kConditions[state.range(1)]);
  const double snr = static_cast<double>(state.range(2));
  const std::vector<float> clean = bench::transmissionInSilence(code, bench::kEnglishText);
  const bool bpsk = !modeFromCode(code)->qpsk;
  std::size_t edits = 0, chars = 0, coherentEdits = 0, differentialEdits = 0, twoPathEdits = 0;
  for (auto _ : state) {
    for (unsigned seed : kSeeds) {
      std::vector<float> faded = clean;
      const unsigned channelSeed = seed + static_cast<unsigned>(code);
      psk::signals::fadeAndAddNoise(faded, condition, snr, channelSeed);
      edits += bench::editDistance(bench::kEnglishText, bench::received(code, 500, faded));
      chars += bench::kEnglishText.size();
      if (bpsk) {
        const bench::GenieCopy genie = bench::genieCopy(code, clean, faded, &condition, channelSeed);
        coherentEdits += bench::editDistance(bench::kEnglishText, genie.coherent);
        differentialEdits += bench::editDistance(bench::kEnglishText, genie.differential);
        if (condition.paths == 2)
          twoPathEdits += bench::editDistance(bench::kEnglishText,
                                              bench::genieTwoPathCopy(code, clean, faded, condition, channelSeed));
      }
    }
  }
  const PskMode mode = *modeFromCode(code);
  const double bits = bench::bitsPerCharacter(bench::kEnglishText);
  state.counters["cer_pct"] = 100.0 * static_cast<double>(edits) / static_cast<double>(chars);
  state.counters["chars"] = static_cast<double>(chars);
  state.counters["coherent_pct"] = 100.0 * bench::rayleighCer(mode.baud(), snr, bits, bench::Detection::coherent);
  state.counters["differential_pct"] = 100.0 * bench::rayleighCer(mode.baud(), snr, bits, bench::Detection::differential);
  if (bpsk) {
    state.counters["genie_coherent_pct"] = 100.0 * static_cast<double>(coherentEdits) / static_cast<double>(chars);
    state.counters["genie_differential_pct"] = 100.0 * static_cast<double>(differentialEdits) / static_cast<double>(chars);
    if (condition.paths == 2)
      state.counters["genie_two_path_pct"] = 100.0 * static_cast<double>(twoPathEdits) / static_cast<double>(chars);
  }
}

void allPoints(benchmark::internal::Benchmark* bench) {
  for (int code : {0, 1, 8, 9, 16, 17}) {
    const int lowest = code < 8 ? -12 : code < 16 ? -9 : -6;
    for (int condition = 0; condition < 4; ++condition)
      for (int snr = lowest; snr <= lowest + 18; snr += 3) bench->Args({code, condition, snr});
  }
}
BENCHMARK(RxFading)->Apply(allPoints)->ArgNames({"mode", "condition", "snr"})->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

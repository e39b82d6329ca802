// What the band window costs: the main window on the engine, thirty BPSK31
// stations on the band, first alone and then with the band window open,
// in the same run. Each iteration is one 32 ms block of audio through the
// engine (on this thread, as pumped audio runs it) and then the windows'
// events, painting included. "core_pct" is the CPU spent per second of
// audio, in per cent of one core: the band window's cost is band:1 less
// band:0 (the goal: under 15). "longest_ms" is the most CPU time one pass
// of the event loop took (counted on this thread, so a busy machine does
// not blur it): the most a received character of the main window waits
// behind the rest, whose timing is kept when band:1 stays near band:0.
// "stations" is what the band window lists, so a run that read nothing
// shows.
#include <QAbstractItemModel>
#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "BenchWindow.h"
#include "app/Form1.h"
#include "band/BandWindow.h"
#include "band/BandWindowHandlers.h"
#include "psk/PskEngine.h"
#include "psk/audio/PumpedAudio.h"
#include "psk/tx/Transmitter.h"
#include "window/Dialogs.h"

namespace quillary {
namespace {

constexpr std::size_t kBlock = 256;
constexpr double kBlockSeconds = kBlock / 8000.0;
constexpr int kStations = 30;
// Long enough for every station to be found and given its channel.
constexpr double kSettlingSeconds = 10;

class OneDevice : public psk::AudioBackendSource {
 public:
  explicit OneDevice(psk::PumpedAudio& device) : device_(device) {}
  std::unique_ptr<psk::AudioBackend> backendFor(int32_t) override { return device_.backend(); }

 private:
  psk::PumpedAudio& device_;
};

// Twenty seconds of thirty stations 100 Hz apart from 400 Hz, each sending
// text, over band noise.
std::vector<float> busyBand() {
  std::vector<float> audio(20 * 8000);
  std::mt19937 random(7);
  std::normal_distribution<float> noise(0.0f, 0.02f);
  for (float& sample : audio) sample = noise(random);
  std::vector<float> signal(audio.size());
  for (int n = 0; n < kStations; ++n) {
    psk::Transmitter tx;
    tx.setFrequency(400 + 100 * n);
    tx.start(kModeBpsk31);
    tx.enqueue("CQ CQ de QX" + std::to_string(n) + "AB QX" + std::to_string(n) +
               "AB pse k\r\nthe quick brown fox jumps over the lazy dog\r\n");
    tx.process(signal.size(), signal.data());
    for (std::size_t i = 0; i < audio.size(); ++i) audio[i] += 0.05f * signal[i];
  }
  return audio;
}

double cpuSeconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

void BM_MainWindowOnThirtyStations(benchmark::State& state) {
  const bool bandOpen = state.range(0) == 1;
  bench::ensureApplication();
  static const std::vector<float> audio = busyBand();
  psk::PumpedAudio device;
  OneDevice devices(device);
  psk::PskEngine engine(devices);
  bench::SilentDialogs dialogs;
  bench::SerialRadio radio;
  QTemporaryDir folder;
  Form1 form(engine, dialogs, radio, folder.path().toStdString(), 0);
  form.show();
  if (bandOpen) onBandButtonClicked(form.context());
  std::size_t at = 0;
  std::vector<float> block(kBlock);
  const auto pumpBlock = [&] {
    std::copy_n(audio.begin() + static_cast<std::ptrdiff_t>(at), kBlock, block.begin());
    at = (at + kBlock) % (audio.size() - kBlock);
    device.pump(kBlock, block);
  };
  for (double seconds = 0; seconds < kSettlingSeconds; seconds += kBlockSeconds) {
    pumpBlock();
    QCoreApplication::processEvents();
  }

  double longest = 0;
  const double cpuBefore = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
  for (auto _ : state) {
    pumpBlock();
    const double from = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    QCoreApplication::processEvents();
    longest = std::max(longest, 1000 * (cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - from));
  }
  const double cpu = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpuBefore;
  const double audioSeconds = static_cast<double>(state.iterations()) * kBlockSeconds;
  state.counters["core_pct"] = 100 * cpu / audioSeconds;
  state.counters["longest_ms"] = longest;
  BandWindow* band = bandWindow(form.context());
  state.counters["stations"] = band ? band->list().model()->rowCount() : 0;
  form.close();
}
BENCHMARK(BM_MainWindowOnThirtyStations)->Arg(0)->Arg(1)->ArgName("band")->Unit(benchmark::kMillisecond)->MinTime(5);

}  // namespace
}  // namespace quillary

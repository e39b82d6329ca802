// What the whole engine costs per second of received audio: receiver,
// spectrum, meters and notifications, in 32 ms blocks as a sound card
// delivers them. "realtime" is seconds of audio handled per second of CPU:
// the multiple of real time the engine could keep up with.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "modem/ModemWindow.h"
#include "psk/PskEngine.h"
#include "psk/audio/PumpedAudio.h"
#include "psk/tx/Transmitter.h"

namespace {

using namespace quillary;
using namespace quillary::psk;

class DiscardingWindow : public ModemWindow {
 public:
  void post(int32_t, int32_t, int32_t) override {}
};

class OneDevice : public AudioBackendSource {
 public:
  explicit OneDevice(PumpedAudio& device) : device_(device) {}
  std::unique_ptr<AudioBackend> backendFor(int32_t) override { return device_.backend(); }

 private:
  PumpedAudio& device_;
};

// Ten seconds of a station sending text at 1500 Hz over band noise.
std::vector<float> bandWithSignal(int mode) {
  Transmitter tx;
  tx.setFrequency(1500);
  tx.start(mode);
  tx.enqueue("CQ CQ CQ de QX1AB QX1AB QX1AB pse k :QX1AB/PHOTO the quick brown fox jumps over the lazy dog");
  std::vector<float> audio(80000);
  tx.process(audio.size(), audio.data());
  std::mt19937 random(5);
  std::normal_distribution<float> noise(0.0f, 0.05f);
  for (float& sample : audio) sample = 0.3f * sample + noise(random);
  return audio;
}

void BM_EngineReceive(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  const std::vector<float> audio = bandWithSignal(mode);
  PumpedAudio device;
  OneDevice devices(device);
  PskEngine engine(devices);
  DiscardingWindow window;
  engine.fnStartSoundCard(&window, 0, 1);
  engine.fnSetRXPSKMode(mode, 0);
  engine.fnSetRXFrequency(1500, 0, 0);
  engine.fnSetAFCLimit(500, 0);
  std::vector<int32_t> bins(kSpectrumBins);
  std::vector<float> block(256);
  std::size_t position = 0;
  for (auto _ : state) {
    block.assign(audio.begin() + static_cast<std::ptrdiff_t>(position),
                 audio.begin() + static_cast<std::ptrdiff_t>(position + 256));
    benchmark::DoNotOptimize(device.pump(256, block));
    position = (position + 256) % (audio.size() - 256);
    if (position % 768 == 0) engine.fnGetFFTData(bins.data(), 0, kSpectrumBins - 1);  // the display's redraws
  }
  engine.fnStopSoundCard();
  state.counters["realtime"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 256.0 / 8000.0, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EngineReceive)->Arg(kModeBpsk31)->Arg(kModeQpsk31)->Arg(kModeBpsk125)->Arg(kModeQpsk125);

}  // namespace

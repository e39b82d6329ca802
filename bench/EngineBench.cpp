// What the whole engine costs per second of received audio: receiver,
// spectrum, meters and notifications, in 32 ms blocks as a sound card
// delivers them. "realtime" is seconds of audio handled per second of CPU:
// the multiple of real time the engine could keep up with.
#include <benchmark/benchmark.h>

#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "modem/ModemWindow.h"
#include "psk/PskEngine.h"
#include "psk/PskMode.h"
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

// A recording played round and round into a pumped device, 32 ms at a time.
class LoopedAudio {
 public:
  explicit LoopedAudio(const std::vector<float>& audio) : audio_(audio), block_(kBlock) {}
  // One block; answers where the next begins.
  std::size_t pump(PumpedAudio& device) {
    std::copy_n(audio_.begin() + static_cast<std::ptrdiff_t>(position_), kBlock, block_.begin());
    benchmark::DoNotOptimize(device.pump(kBlock, block_));
    position_ = (position_ + kBlock) % (audio_.size() - kBlock);
    return position_;
  }

 private:
  static constexpr std::size_t kBlock = 256;
  const std::vector<float>& audio_;
  std::vector<float> block_;
  std::size_t position_ = 0;
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
  LoopedAudio looped(audio);
  for (auto _ : state) {
    // The display's redraws, about ten a second.
    if (looped.pump(device) % 768 == 0) engine.fnGetFFTData(bins.data(), 0, kSpectrumBins - 1);
  }
  engine.fnStopSoundCard();
  state.counters["realtime"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 256.0 / 8000.0, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EngineReceive)->Arg(kModeBpsk31)->Arg(kModeQpsk31)->Arg(kModeBpsk125)->Arg(kModeQpsk125);

// The band scan's cost: the engine reading `stations` BPSK31 stations at once
// on receive channels 1.. (besides channel 0 and the spectrum), on a band of
// that many stations 100 Hz apart. "core_pct" is the share of one core it
// takes in real time; against stations:0 (the engine alone, same run) the
// rest is what the stations cost, each "core_pct" / stations or so. The goal
// is 30 stations in under 10% of a core.
void BM_EngineScanChannels(benchmark::State& state) {
  const int stations = static_cast<int>(state.range(0));
  std::vector<float> audio(10 * 8000, 0.0f);
  std::mt19937 random(7);
  std::normal_distribution<float> noise(0.0f, 0.02f);
  for (float& sample : audio) sample = noise(random);
  for (int n = 0; n < stations; ++n) {
    Transmitter tx;
    tx.setFrequency(400 + 100 * n);
    tx.start(kModeBpsk31);
    tx.enqueue("CQ CQ de QX" + std::to_string(n) + "AB pse k the quick brown fox jumps over the lazy dog");
    std::vector<float> signal(audio.size());
    tx.process(signal.size(), signal.data());
    for (std::size_t i = 0; i < audio.size(); ++i) audio[i] += 0.05f * signal[i];
  }
  PumpedAudio device;
  OneDevice devices(device);
  PskEngine engine(devices);
  DiscardingWindow window;
  engine.fnStartSoundCard(&window, 0, 1);
  for (int channel = 1; channel <= stations; ++channel) {
    engine.fnSetRXPSKMode(kModeBpsk31, channel);
    engine.fnSetRXFrequency(300 + 100 * channel, 0, channel);
    engine.fnSetAFCLimit(31, channel);
    engine.fnSetSquelchThreshold(30, 0, channel);
  }
  LoopedAudio looped(audio);
  for (auto _ : state) {
    if (looped.pump(device) % 4096 != 0) continue;
    for (int channel = 1; channel <= stations; ++channel) benchmark::DoNotOptimize(engine.takeReceived(channel));
  }
  engine.fnStopSoundCard();
  const double audioSeconds = static_cast<double>(state.iterations()) * 256.0 / 8000.0;
  state.counters["realtime"] = benchmark::Counter(audioSeconds, benchmark::Counter::kIsRate);
  // CPU seconds per second of audio, in per cent.
  state.counters["core_pct"] = benchmark::Counter(audioSeconds / 100.0, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_EngineScanChannels)->Arg(0)->Arg(1)->Arg(10)->Arg(30)->ArgName("stations");

// A large paste queued while the engine transmits must not stall the audio:
// an audio thread pumps 32 ms blocks back to back while each iteration
// queues 1 MB of text and later clears it. For every call the longest block
// that overlapped it is taken, and for every pause between calls the longest
// block within it. "longest_ms" is the median over the calls, "idle_ms" over
// the pauses (a busy machine preempts a thread now and then: the median
// keeps that out, while a stall that every call causes stays in), "ratio"
// the one over the other (near 1: queuing costs the audio nothing), and
// "worst_ms" the longest block near any call. The goal is a longest block
// under 5 ms.
void BM_EngineBlockWhileQueuingMegabyte(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  struct Span {
    Clock::time_point from, to;
    bool overlaps(const Span& other) const { return from < other.to && other.from < to; }
  };
  PumpedAudio device;
  OneDevice devices(device);
  PskEngine engine(devices);
  DiscardingWindow window;
  engine.fnStartSoundCard(&window, 0, 1);
  engine.fnStartTX(kModeBpsk31);
  const std::string megabyte(1 << 20, 'e');
  std::vector<Span> blocks, calls, pauses;
  blocks.reserve(1 << 20);
  std::atomic<bool> done{false};
  bool realtimeAudio = false;
  std::thread audio([&] {
    // As a sound card's thread runs, where the system allows it: ahead of
    // ordinary work, so a busy machine does not blur what the engine costs.
    sched_param realtime{};
    realtime.sched_priority = sched_get_priority_min(SCHED_FIFO);
    realtimeAudio = pthread_setschedparam(pthread_self(), SCHED_FIFO, &realtime) == 0;
    const std::vector<float> in(256, 0.0f);
    while (!done && blocks.size() < blocks.capacity()) {
      const auto from = Clock::now();
      benchmark::DoNotOptimize(device.pump(256, in));
      blocks.push_back({from, Clock::now()});
    }
  });
  const auto timed = [&](auto call) {
    auto from = Clock::now();
    call();
    calls.push_back({from, Clock::now()});
    from = Clock::now() + std::chrono::milliseconds(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(6));
    pauses.push_back({from, Clock::now() - std::chrono::milliseconds(1)});
  };
  for (auto _ : state) {
    timed([&] { engine.fnSendTXString(megabyte); });
    timed([&] { engine.fnClearTXBuffer(); });
  }
  done = true;
  audio.join();
  engine.fnAbortTX();
  engine.fnStopSoundCard();
  const auto longestWithin = [&](const std::vector<Span>& spans) {
    std::vector<double> longest;
    for (const Span& span : spans) {
      double ms = 0;
      for (const Span& block : blocks)
        if (block.overlaps(span)) ms = std::max(ms, std::chrono::duration<double, std::milli>(block.to - block.from).count());
      longest.push_back(ms);
    }
    std::sort(longest.begin(), longest.end());
    return longest;
  };
  const auto busy = longestWithin(calls), idle = longestWithin(pauses);
  const double busyMs = busy[busy.size() / 2], idleMs = idle[idle.size() / 2];
  state.counters["longest_ms"] = busyMs;
  state.counters["idle_ms"] = idleMs;
  state.counters["ratio"] = idleMs > 0 ? busyMs / idleMs : 0;
  state.counters["worst_ms"] = busy.back();
  state.SetLabel(realtimeAudio ? "audio thread real-time" : "audio thread at normal priority");
}
BENCHMARK(BM_EngineBlockWhileQueuingMegabyte)->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

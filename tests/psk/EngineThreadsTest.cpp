// The engine with its audio on a thread of its own, as on a sound card,
// while the window's thread makes its calls: start and stop, every fn*
// call, PTT, a lost device and a stalling audio path. These also run under
// ThreadSanitizer (./test.sh), which must report nothing.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "PskTestSignals.h"
#include "support/EngineTestSupport.h"

namespace quillary::psk::test {
namespace {

using namespace std::chrono_literals;

// Pumps a station calling in noise, looped, into a device on its own thread.
class AudioThread {
 public:
  explicit AudioThread(PumpedAudio& device, std::chrono::microseconds pause = 0us)
      : device_(device), pause_(pause), thread_([this] { run(); }) {}
  ~AudioThread() {
    stop_ = true;
    thread_.join();
  }
  void loseDevice() { lose_ = true; }
  std::size_t blocks() const { return blocks_; }

 private:
  void run() {
    std::vector<float> band = transmit(kModeBpsk31, "CQ CQ de N0CALL\r", 1500, 0.2);
    addNoise(band, 10, 3);
    std::size_t at = 0;
    while (!stop_) {
      if (lose_.exchange(false)) device_.loseDevice();
      std::vector<float> block(256);
      for (float& sample : block) sample = band[at++ % band.size()];
      device_.pump(block.size(), block);
      ++blocks_;
      if (pause_.count() > 0) std::this_thread::sleep_for(pause_);
    }
  }

  PumpedAudio& device_;
  const std::chrono::microseconds pause_;
  std::atomic<bool> stop_{false}, lose_{false};
  std::atomic<std::size_t> blocks_{0};
  std::thread thread_;
};

// A PTT port whose state may be read from any thread.
struct SharedPtt {
  std::atomic<bool> keyed{false};
  std::atomic<int> keys{0};
};

struct AtomicPttPort : PttPort {
  explicit AtomicPttPort(std::shared_ptr<SharedPtt> shared) : ptt(std::move(shared)) {}
  bool open(const std::string&) override { return true; }
  void close() override { ptt->keyed = false; }
  bool setKeyed(bool keyed) override {
    ptt->keyed = keyed;
    ptt->keys += keyed ? 1 : 0;
    return true;
  }
  std::shared_ptr<SharedPtt> ptt;
};

PskEngine::Options sharedPttOptions(std::shared_ptr<SharedPtt> ptt, std::chrono::milliseconds stallLimit = 2s) {
  PskEngine::Options options;
  options.pttPorts = [ptt] { return std::make_unique<AtomicPttPort>(ptt); };
  options.serialPorts = [] { return std::vector<std::string>{"/dev/ttyUSB0"}; };
  options.pttStallLimit = stallLimit;
  return options;
}

class EngineThreads : public ::testing::Test {
 protected:
  explicit EngineThreads(std::chrono::milliseconds stallLimit = 2s)
      : engine(devices, sharedPttOptions(ptt, stallLimit)) {}
  PumpedAudio device;
  PumpedDevices devices{{&device}};
  std::shared_ptr<SharedPtt> ptt = std::make_shared<SharedPtt>();
  PskEngine engine;
  RecordingWindow window;
};

class EngineThreadsStallingAudio : public EngineThreads {
 protected:
  EngineThreadsStallingAudio() : EngineThreads(5ms) {}
};

// Every wait has a bound, so a hang fails with a message, not at ctest's
// time-out. The bound is far above what a loaded machine under
// ThreadSanitizer needs.
template <class Done>
bool waitUntil(Done done, std::chrono::milliseconds limit = 20s) {
  const auto giveUp = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

void waitForBlocks(const AudioThread& audio, std::size_t blocks) {
  const std::size_t until = audio.blocks() + blocks;
  ASSERT_TRUE(waitUntil([&] { return audio.blocks() >= until; })) << "the audio thread stopped pumping";
}

// Every call the window makes, with changing values.
void everyCall(PskEngine& engine, int round) {
  std::array<int32_t, kSpectrumBins> bins{};
  std::array<int32_t, kVectorValues> vector{};
  engine.fnSetRXPSKMode(round % 2 == 0 ? kModeBpsk31 : kModeQpsk31, 0);
  engine.fnSetRXFrequency(1400 + round % 200, 0, 0);
  engine.fnGetRXFrequency(0);
  engine.fnSetAFCLimit(round % 3 == 0 ? 0 : 500, 0);
  engine.fnSetSquelchThreshold(round % 100, 0, 0);
  engine.fnSetFFTMode(1 + round % 5, 100, round % 4);
  engine.fnGetFFTData(bins.data(), 0, kSpectrumBins - 1);
  engine.fnGetClosestPeak(1400, 1600);
  engine.fnGetVectorData(vector.data(), 0);
  engine.fnGetSignalLevel(0);
  engine.fnSetTXFrequency(1000 + round % 1000);
  engine.fnSetCWIDString(round % 2 == 0 ? "" : "de N0CALL");
  engine.fnStartTX(round % 7 == 0 ? kModeTune : kModeBpsk63);
  engine.fnSendTXString("TEXT ");
  engine.fnGetTXCharsRemaining();
  if (round % 3 == 0) engine.fnClearTXBuffer();
  engine.fnStopTX();
  if (round % 5 == 0) engine.fnAbortTX();
  if (round % 11 == 0) {  // released and opened again
    engine.fnSetComPort(1, 0);
    engine.fnSetComPort(1, 3);
  }
}

TEST_F(EngineThreads, EveryCallFromTheWindowThreadWhileAudioRuns) {
  ASSERT_EQ(engine.fnStartSoundCard(&window, 0, 1), 0);
  {
    AudioThread audio(device);
    for (int round = 0; round < 300; ++round) {
      everyCall(engine, round);
      waitForBlocks(audio, 1);  // the calls alone would starve the audio thread of its locks
    }
    engine.fnAbortTX();
    waitForBlocks(audio, 4);
  }
  engine.fnStopSoundCard();
  EXPECT_GT(ptt->keys.load(), 0);
  EXPECT_FALSE(ptt->keyed);
}

TEST(EngineThreadsTwoDevices, StartAndStopWhileAudioRunsOnBoth) {
  PumpedAudio first, second;
  PumpedDevices devices{{&first, &second}};
  auto ptt = std::make_shared<SharedPtt>();
  RecordingWindow window;
  AudioThread audioFirst(first), audioSecond(second);
  {
    PskEngine engine(devices, sharedPttOptions(ptt));
    engine.fnSetComPort(1, 3);
    for (int round = 0; round < 200; ++round) {
      ASSERT_EQ(engine.fnStartSoundCard(&window, round % 3 == 0 ? -1 : round % 2, 1), 0);
      everyCall(engine, round);
      if (round % 4 == 0) engine.fnStopSoundCard();
    }
    waitForBlocks(audioFirst, 2);
  }  // destroyed while running
  EXPECT_FALSE(first.running());
  EXPECT_FALSE(second.running());
  EXPECT_FALSE(ptt->keyed);
}

TEST_F(EngineThreads, DeviceLostOnTheAudioThreadWhileTheWindowTransmits) {
  AudioThread audio(device);
  for (int round = 0; round < 20; ++round) {
    ASSERT_EQ(engine.fnStartSoundCard(&window, 0, 1), 0);
    engine.fnSetComPort(1, 3);
    engine.fnStartTX(kModeBpsk31);
    engine.fnSendTXString("CQ CQ CQ");
    waitForBlocks(audio, 2 + round % 3);
    audio.loseDevice();
    for (int call = 0; call < 20; ++call) everyCall(engine, call);  // meanwhile
    ASSERT_TRUE(waitUntil([&] { return !device.running(); })) << "the lost device was kept, round " << round;
    EXPECT_FALSE(ptt->keyed) << round;
  }
  const std::vector<int32_t> states = window.transmitStates();
  for (std::size_t i = 1; i < states.size(); ++i) EXPECT_FALSE(states[i] == 1 && states[i - 1] == 1) << i;
}

TEST_F(EngineThreadsStallingAudio, AWatchdogRacingAnAudioPathThatStallsAndResumes) {
  ASSERT_EQ(engine.fnStartSoundCard(&window, 0, 1), 0);
  ASSERT_EQ(engine.fnSetComPort(1, 3), 1);
  {
    AudioThread audio(device, 5ms);  // blocks late by about the limit: the watchdog trips now and then
    for (int round = 0; round < 40; ++round) {
      engine.fnStartTX(kModeBpsk31);
      engine.fnSendTXString("RYRYRY");
      std::this_thread::sleep_for(10ms);
    }
    engine.fnAbortTX();
    waitForBlocks(audio, 3);
  }
  std::this_thread::sleep_for(20ms);
  engine.fnStopSoundCard();
  EXPECT_FALSE(ptt->keyed);
  const std::vector<int32_t> states = window.transmitStates();
  ASSERT_FALSE(states.empty());
  EXPECT_EQ(states.back(), 0);
  for (std::size_t i = 1; i < states.size(); ++i) EXPECT_FALSE(states[i] == 1 && states[i - 1] == 1) << i;
}

}  // namespace
}  // namespace quillary::psk::test

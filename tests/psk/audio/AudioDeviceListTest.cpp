// The device list as it is on any machine, sound card or not: the Simulator
// is always the last device, numbers past it are no device.
#include "psk/audio/AudioDeviceList.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "support/EngineTestSupport.h"
#include "psk/audio/SimulatorBackend.h"

namespace quillary::psk {
namespace {

TEST(AudioDeviceList, SimulatorIsTheLastDeviceAndNumbersPastItAreNoDevice) {
  AudioDeviceList list;
  const auto names = list.soundDevices();
  ASSERT_TRUE(names.has_value());
  ASSERT_FALSE(names->empty());
  EXPECT_EQ(names->back(), "Simulator");
  EXPECT_EQ(names->size(), list.devices().size());
  const auto simulator = static_cast<int32_t>(names->size() - 1);
  if (simulator == 0) {
    EXPECT_EQ(list.defaultDevice(), 0);  // no sound card: -1 is the Simulator
  }
  EXPECT_LE(list.defaultDevice(), simulator);

  for (int32_t none : {simulator + 1, 32767, -2}) EXPECT_EQ(list.backendFor(none), nullptr) << none;
  auto backend = list.backendFor(simulator);
  ASSERT_NE(backend, nullptr);
  EXPECT_EQ(backend->open(), 0);
  EXPECT_NE(list.backendFor(-1), nullptr);
}

TEST(AudioDeviceList, EngineOnTheListAnswersNoSuchDeviceRunsTheSimulatorAndReportsAnUnreadableRecording) {
  AudioDeviceList list;
  PskEngine engine(list);
  test::RecordingWindow window;
  const auto simulator = static_cast<int32_t>(list.devices().size() - 1);
  EXPECT_EQ(engine.fnStartSoundCard(&window, simulator + 1, 1), kStartNoSuchDevice);
  EXPECT_EQ(engine.fnStartSoundCard(&window, simulator, 1), 0);
  EXPECT_EQ(engine.fnStopSoundCard(), 0);

  AudioDeviceList unreadable(std::string("/nonexistent/recording.wav"));
  PskEngine other(unreadable);
  EXPECT_EQ(other.fnStartSoundCard(&window, simulator, 1), kStartCannotRead);
}

TEST(SimulatorBackend, DeliversBlocksOfBandAudioUntilStopped) {
  SimulatorBackend simulator;
  ASSERT_EQ(simulator.open(), 0);
  std::mutex mutex;
  std::condition_variable arrived;
  int blocks = 0;
  double energy = 0;
  ASSERT_EQ(simulator.start([&](const float* in, float* out, std::size_t frames) {
              std::lock_guard lock(mutex);
              EXPECT_EQ(frames, 256u);
              for (std::size_t i = 0; i < frames; ++i) energy += in[i] * in[i];
              out[0] = 1.0f;  // goes nowhere
              ++blocks;
              arrived.notify_all();
            }),
            0);
  {
    std::unique_lock lock(mutex);
    // A guard against a simulator that never ticks, not a timing check.
    ASSERT_TRUE(arrived.wait_for(lock, std::chrono::seconds(20), [&] { return blocks >= 3; }));
  }
  simulator.stop();
  std::lock_guard lock(mutex);
  EXPECT_GT(energy, 0.0);  // the band's noise
}

}  // namespace
}  // namespace quillary::psk

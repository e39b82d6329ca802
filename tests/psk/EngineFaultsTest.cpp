// Faults around a transmission: the audio stalls while keyed, the PTT port
// vanishes while keyed. Nothing may stay keyed, the window must hear the
// truth, and the next transmission must work without keying a lost port.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/EngineTestSupport.h"

namespace quillary::psk::test {
namespace {

using namespace std::chrono_literals;
using Events = std::vector<std::string>;

class EngineFaults : public ::testing::Test {
 protected:
  static PskEngine::Options options(std::shared_ptr<PttLog> log) {
    PskEngine::Options o = fakePttOptions(std::move(log), {"/dev/ttyUSB0"});
    o.pttStallLimit = kStallLimit;
    return o;
  }
  void SetUp() override {
    ASSERT_EQ(engine.fnStartSoundCard(&window, 0, 1), 0);
    ASSERT_EQ(engine.fnSetComPort(1, 3), 1);
  }
  void transmit(const std::string& text) {
    engine.fnStartTX(kModeBpsk31);
    engine.fnSendTXString(text);
    engine.fnStopTX();
  }
  // In real time: the watchdog has its own clock.
  bool awaitTransmitStates(std::size_t count, std::chrono::milliseconds limit = 10s) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (window.transmitStates().size() < count && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(5ms);
    return window.transmitStates().size() >= count;
  }

  static constexpr auto kStallLimit = 300ms;
  PumpedAudio device;
  PumpedDevices devices{{&device}};
  std::shared_ptr<PttLog> ptt = std::make_shared<PttLog>();
  PskEngine engine{devices, options(ptt)};
  RecordingWindow window;
};

TEST_F(EngineFaults, AudioThatStallsWhileKeyedDropsPttAndTheWindowHearsTheTransmitterIsOff) {
  transmit("CQ CQ CQ de N0CALL");
  device.pump(256);
  ASSERT_TRUE(ptt->keyed);

  // The device hangs: no block goes out for longer than the limit.
  ASSERT_TRUE(awaitTransmitStates(2));
  EXPECT_EQ(window.transmitStates(), (std::vector<int32_t>{1, 0}));
  EXPECT_EQ(ptt->events, (Events{"open /dev/ttyUSB0", "key", "unkey"})) << "the port stays open";
  EXPECT_EQ(engine.fnGetTXCharsRemaining(), 0) << "the transmission is dropped";

  // The device comes back: silence, and no second "off".
  EXPECT_EQ(lastAudible(device.pump(4096)), -1);
  EXPECT_EQ(window.transmitStates().size(), 2u);

  // The next transmission keys and unkeys as usual.
  transmit("K");
  pumpUntilOff(device, window);
  EXPECT_EQ(ptt->events, (Events{"open /dev/ttyUSB0", "key", "unkey", "key", "unkey"}));

  std::this_thread::sleep_for(kStallLimit * 3);  // receiving only, a stop arms nothing
  EXPECT_EQ(window.transmitStates(), (std::vector<int32_t>{1, 0, 1, 0}));
}

TEST_F(EngineFaults, APttPortThatVanishesWhileKeyedIsReleasedAndKeysNothingAfterwards) {
  transmit("CQ CQ CQ");
  device.pump(256);
  ASSERT_TRUE(ptt->keyed);
  ptt->vanished = true;  // the USB adapter is pulled

  pumpUntilOff(device, window);
  EXPECT_EQ(window.transmitStates(), (std::vector<int32_t>{1, 0}));
  EXPECT_EQ(ptt->events, (Events{"open /dev/ttyUSB0", "key", "close"})) << "released when it stopped answering";

  // Plugged in again under the same name: nothing keys it by itself.
  ptt->vanished = false;
  transmit("K");
  const std::vector<float> audio = pumpUntilOff(device, window);
  EXPECT_GT(lastAudible(audio), 0) << "the transmission itself goes out";
  EXPECT_EQ(window.transmitStates(), (std::vector<int32_t>{1, 0, 1, 0}));
  EXPECT_EQ(ptt->events.size(), 3u);

  // Opened again by the operator, it keys the next transmission.
  ASSERT_EQ(engine.fnSetComPort(1, 3), 1);
  transmit("K");
  pumpUntilOff(device, window);
  EXPECT_EQ(ptt->events, (Events{"open /dev/ttyUSB0", "key", "close", "open /dev/ttyUSB0", "key", "unkey"}));
}

// A CAT rig that stops answering says so on its own, between keying and
// unkeying; a port may also refuse the keying itself. Either way nothing is
// sent to a radio that is not keyed: the transmission is dropped.
TEST_F(EngineFaults, APortThatStopsAnsweringOrCannotKeyDropsTheTransmission) {
  for (const bool whileKeyed : {true, false}) {
    SCOPED_TRACE(whileKeyed ? "stops answering while keyed" : "cannot key");
    ptt->silent = false;
    ptt->vanished = !whileKeyed;
    ptt->events.clear();
    ASSERT_EQ(engine.fnSetComPort(1, 3), 1);
    const std::size_t offsBefore = window.transmitStates().size();
    const uint64_t dropsBefore = engine.pttDrops();
    transmit("CQ CQ CQ de N0CALL pse k");
    device.pump(256);
    ptt->silent = whileKeyed;
    pumpUntilOff(device, window, 0.5);
    EXPECT_EQ(window.transmitStates().size(), offsBefore + 2) << "on, then off within half a second";
    EXPECT_EQ(engine.fnGetTXCharsRemaining(), 0);
    EXPECT_EQ(engine.pttDrops(), dropsBefore + 1);
    EXPECT_FALSE(engine.pttHeld());
    EXPECT_EQ(ptt->events.back(), "close");
    EXPECT_EQ(lastAudible(device.pump(2048)), -1) << "nothing more goes out";
  }
}

}  // namespace
}  // namespace quillary::psk::test

// The engine's transmit side through a pumped device: what the window hears
// and when, what the audio holds, abort, tune, PTT; no echo of its own
// signal; and faults around a transmission (the audio stalls or the PTT port
// vanishes while keyed), after which nothing stays keyed, the window hears
// the truth and the next transmission works.
#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>

#include "PskTestSignals.h"
#include "support/EngineTestSupport.h"

namespace quillary::psk::test {
namespace {

std::string decode(const std::vector<float>& audio, double hz, int mode = kModeBpsk31) {
  Receiver receiver;
  receiver.setMode(mode);
  receiver.setFrequency(hz);
  return decodeAll(receiver, audio, 1.0, audio.size() + 8000);
}

class EngineTransmit : public ::testing::Test {
 protected:
  explicit EngineTransmit(std::size_t outputDelay = 0) : device(outputDelay) {}
  void SetUp() override { ASSERT_EQ(engine.fnStartSoundCard(&window, 0, 1), 0); }

  PumpedAudio device;
  PumpedDevices devices{{&device}};
  std::shared_ptr<PttLog> ptt = std::make_shared<PttLog>();
  PskEngine engine{devices, fakePttOptions(ptt, {"/dev/ttyUSB0", "/dev/ttyS0"})};
  RecordingWindow window;
};

TEST_F(EngineTransmit, QueuedStringsGoOutInOrderBetweenOnAndOff) {
  engine.fnSetTXFrequency(1200);
  ASSERT_EQ(engine.fnStartTX(kModeBpsk63), 0);
  engine.fnSendTXString("FIRST ");
  engine.fnSendTXString("SECOND ");
  engine.fnSendTXString("THIRD");
  engine.fnStopTX();

  std::vector<float> audio = device.pump(256);
  EXPECT_EQ(window.transmitStates(), std::vector<int32_t>{1});  // on with the first keyed block
  const std::vector<float> rest = pumpUntilOff(device, window);
  audio.insert(audio.end(), rest.begin(), rest.end());

  EXPECT_EQ(window.transmitStates(), (std::vector<int32_t>{1, 0}));
  const std::string heard = decode(audio, 1200, kModeBpsk63);
  EXPECT_NE(heard.find("FIRST SECOND THIRD"), std::string::npos) << heard;
  // Off came right after the last keyed sample (with its block or the next).
  EXPECT_GT(lastAudible(audio), static_cast<long>(audio.size()) - 2 * 256 - 1);
  EXPECT_EQ(lastAudible(device.pump(512)), -1);
}

TEST_F(EngineTransmit, AbortCutsAtOnceAndDropsTheQueue) {
  engine.fnStartTX(kModeBpsk31);
  engine.fnSendTXString("A LONG TEXT THAT WILL NEVER BE SENT IN FULL");
  device.pump(8000);
  ASSERT_EQ(window.transmitStates(), std::vector<int32_t>{1});

  engine.fnAbortTX();
  EXPECT_EQ(engine.fnGetTXCharsRemaining(), 0);
  EXPECT_EQ(lastAudible(device.pump(256)), -1);
  engine.fnAbortTX();  // again, with nothing on: announces nothing more
  device.pump(512);
  EXPECT_EQ(window.transmitStates(), (std::vector<int32_t>{1, 0}));
}

TEST_F(EngineTransmit, TuneIsASteadyCarrierOnTheFrequencyAndStopsWithoutTextOrId) {
  engine.fnSetTXFrequency(1000);
  engine.fnSetCWIDString("de  k");
  ASSERT_EQ(engine.fnStartTX(kModeTune), 0);
  engine.fnSendTXString("QUEUED");
  device.pump(2048);  // past the fade-in
  const std::vector<float> carrier = device.pump(8000 * 3);
  // Exactly 1000 Hz: the same vector in every 32 ms window.
  const auto first = mixDown(carrier, 1000, 128, 256);
  for (std::size_t centre = 128; centre + 128 <= carrier.size(); centre += 256)
    ASSERT_LT(std::abs(mixDown(carrier, 1000, centre, 256) - first), 0.01 * std::abs(first)) << centre;
  EXPECT_EQ(engine.fnGetTXCharsRemaining(), 6);  // tune sends no text

  engine.fnStopTX();
  const auto tail = pumpUntilOff(device, window);
  EXPECT_EQ(window.transmitStates(), (std::vector<int32_t>{1, 0}));
  EXPECT_LE(lastAudible(tail), 600) << "a fade within 75 ms, no CW ID";
}

TEST_F(EngineTransmit, PttFollowsTheTransmitterAndIsReleasedWhenTheSoundCardStops) {
  EXPECT_EQ(engine.fnSetComPort(3, 3), 0);  // only two ports
  EXPECT_EQ(engine.fnSetComPort(2, 7), 0);  // not a keying mode
  ASSERT_NE(engine.fnSetComPort(2, 3), 0);

  engine.fnStartTX(kModeBpsk31);
  engine.fnSendTXString("X");
  engine.fnStopTX();
  pumpUntilOff(device, window);
  EXPECT_EQ(ptt->events, (std::vector<std::string>{"open /dev/ttyS0", "key", "unkey"}));

  // Stopping the sound card in the middle of a transmission unkeys first,
  // then releases, and posts nothing.
  engine.fnStartTX(kModeTune);
  device.pump(256);
  ASSERT_TRUE(ptt->keyed);
  const std::size_t postedBefore = window.all().size();
  engine.fnStopSoundCard();
  EXPECT_EQ(ptt->events, (std::vector<std::string>{"open /dev/ttyS0", "key", "unkey", "key", "unkey", "close"}));
  EXPECT_EQ(window.all().size(), postedBefore);

  // A port opened mid-transmission keys at once; released, it unkeys.
  ASSERT_EQ(engine.fnStartSoundCard(&window, 0, 1), 0);
  engine.fnStartTX(kModeTune);
  device.pump(256);
  ptt->events.clear();
  ASSERT_NE(engine.fnSetComPort(1, 3), 0);
  engine.fnSetComPort(1, 0);
  EXPECT_EQ(ptt->events, (std::vector<std::string>{"open /dev/ttyUSB0", "key", "unkey", "close"}));
  ptt->refuseOpen = true;
  EXPECT_EQ(engine.fnSetComPort(1, 3), 0);
}

TEST_F(EngineTransmit, KeyedAgainDuringThePostambleIsOneTransmission) {
  ASSERT_NE(engine.fnSetComPort(1, 3), 0);
  engine.fnStartTX(kModeBpsk31);
  engine.fnSendTXString("ONE ");
  engine.fnStopTX();
  for (int block = 0; block < 8000 * 10 / 256 && engine.fnGetTXCharsRemaining() > 0; ++block) device.pump(256);
  ASSERT_EQ(engine.fnGetTXCharsRemaining(), 0) << "the queue never drained";
  for (int i = 0; i < 20; ++i) device.pump(256);
  engine.fnStartTX(kModeBpsk31);
  engine.fnSendTXString("TWO");
  engine.fnStopTX();
  const std::vector<float> audio = pumpUntilOff(device, window);
  EXPECT_EQ(window.transmitStates(), (std::vector<int32_t>{1, 0}));
  EXPECT_EQ(ptt->events, (std::vector<std::string>{"open /dev/ttyUSB0", "key", "unkey"}));
  const std::string heard = decode(audio, 1500);
  EXPECT_NE(heard.find("TWO"), std::string::npos) << heard;
}

class EngineTransmitWithOutputBuffer : public EngineTransmit {
 protected:
  EngineTransmitWithOutputBuffer() : EngineTransmit(1000) {}
};

TEST_F(EngineTransmitWithOutputBuffer, OffWaitsUntilTheBufferedTailHasPlayed) {
  engine.fnStartTX(kModeBpsk31);
  engine.fnSendTXString("E");
  engine.fnStopTX();
  const std::vector<float> audio = pumpUntilOff(device, window);
  ASSERT_EQ(window.transmitStates(), (std::vector<int32_t>{1, 0}));
  // The 1000 buffered samples after the last keyed one played before "off".
  const long afterLast = static_cast<long>(audio.size()) - 1 - lastAudible(audio);
  EXPECT_GE(afterLast, 1000);
  EXPECT_LT(afterLast, 1000 + 2 * 256);
}

TEST(OwnSignal, AStationDoesNotPrintItsOwnTransmission) {
  // The rig has no transmit muting: the station hears its own audio.
  PumpedAudio device;
  PumpedDevices devices{{&device}};
  PskEngine engine(devices);
  RecordingWindow window;
  ASSERT_EQ(engine.fnStartSoundCard(&window, 0, 1), 0);
  engine.fnSetRXFrequency(1500, 0, 0);
  engine.fnSetTXFrequency(1500);
  engine.fnStartTX(kModeBpsk31);
  engine.fnSendTXString("ECHO ECHO");
  engine.fnStopTX();
  const std::vector<float> audio = pumpUntilOff(device, window, 60, 256, true);
  device.pump(8000);
  EXPECT_EQ(window.count(kMsgCharacter), 0u);

  // Another engine prints the same audio: the silence above is deliberate.
  PumpedAudio otherDevice;
  PumpedDevices otherDevices{{&otherDevice}};
  PskEngine other(otherDevices);
  RecordingWindow otherWindow;
  ASSERT_EQ(other.fnStartSoundCard(&otherWindow, 0, 1), 0);
  other.fnSetRXFrequency(1500, 0, 0);
  otherDevice.pump(audio.size(), audio);
  otherDevice.pump(8000);
  EXPECT_NE(otherWindow.text().find("ECHO ECHO"), std::string::npos);
}

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

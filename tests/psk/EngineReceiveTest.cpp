// Further receive channels; a station does not print its own transmission.
#include <gtest/gtest.h>

#include "support/EngineTestSupport.h"
#include "psk/audio/InProcessChannel.h"

namespace quillary::psk::test {
namespace {

class TwoStations : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(sender.fnStartSoundCard(&senderWindow, 0, 1), 0);
    ASSERT_EQ(listener.fnStartSoundCard(&listenerWindow, 0, 1), 0);
  }
  void pumpSeconds(double seconds) {
    for (double t = 0; t < seconds; t += 256 / 8000.0) channel.pump(256);
  }
  void pumpUntilSenderOff(double maxSeconds = 60) {
    for (double t = 0; t < maxSeconds; t += 256 / 8000.0) {
      channel.pump(256);
      const auto states = senderWindow.transmitStates();
      if (!states.empty() && states.back() == 0) break;
    }
    pumpSeconds(0.5);  // the last character through the listener's filters
  }

  InProcessChannel channel{0.02, 11};
  PumpedDevices senderDevices{{&channel.stationA()}};
  PumpedDevices listenerDevices{{&channel.stationB()}};
  PskEngine sender{senderDevices};
  PskEngine listener{listenerDevices};
  RecordingWindow senderWindow, listenerWindow;
};

TEST_F(TwoStations, FurtherChannelsReadOtherStationsAndKeepTheirTextFromTheWindow) {
  listener.fnSetSquelchThreshold(30, 0, 0);
  ASSERT_EQ(listener.fnSetRXPSKMode(kModeBpsk63, 2), 0);
  ASSERT_EQ(listener.fnSetRXFrequency(1003, 0, 2), 0);
  ASSERT_EQ(listener.fnSetAFCLimit(60, 2), 0);
  ASSERT_EQ(listener.fnSetSquelchThreshold(30, 0, 2), 0);
  sender.fnSetTXFrequency(1000);
  sender.fnStartTX(kModeBpsk63);
  sender.fnSendTXString("de QX1AB on channel two");
  sender.fnStopTX();
  pumpUntilSenderOff();
  EXPECT_EQ(listener.takeReceived(2), "de QX1AB on channel two");
  EXPECT_EQ(listener.fnGetRXFrequency(2), 1000) << "its AFC found the station";
  EXPECT_EQ(listener.fnGetRXFrequency(0), 1500);
  EXPECT_TRUE(listenerWindow.of(kMsgCharacter).empty()) << listenerWindow.text();
  EXPECT_EQ(listener.takeReceived(1), "") << "channel 1 was never set: no receiver runs on it";
  EXPECT_EQ(listener.fnSetRXPSKMode(kModeBpsk31, PskEngine::kMaxChannels), 1);
  EXPECT_EQ(listener.fnSetRXFrequency(1000, 0, -1), 1);
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

}  // namespace
}  // namespace quillary::psk::test

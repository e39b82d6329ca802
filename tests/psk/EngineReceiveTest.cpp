// Two engines joined as two stations: further receive channels, IMD, the
// displays and meters of a received station.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

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
  // Channel 0 (the window's) on 1500 Hz hears nothing; channel 2 on the
  // sender's 1000 Hz reads it, and only takeReceived gives the text.
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
  EXPECT_EQ(listener.takeReceived(2), "") << "taken once";
  EXPECT_EQ(listener.fnGetRXFrequency(2), 1000) << "its AFC found the station";
  EXPECT_EQ(listener.fnGetRXFrequency(0), 1500);
  EXPECT_TRUE(listenerWindow.of(kMsgCharacter).empty()) << listenerWindow.text();
  EXPECT_EQ(listener.takeReceived(1), "") << "channel 1 was never set: no receiver runs on it";
  // Channels run from 0 to 63.
  EXPECT_EQ(listener.fnSetRXPSKMode(kModeBpsk31, PskEngine::kMaxChannels), 1);
  EXPECT_EQ(listener.fnSetRXFrequency(1000, 0, -1), 1);
  EXPECT_EQ(listener.fnGetRXFrequency(40), 0) << "never set";
  EXPECT_EQ(listener.fnGetSignalLevel(40), 0);
}

// A sender's idle (a clean run of reversals) heard by a listener for six
// seconds, through `bend` (an amplifier's transfer) and white noise. The
// listener's AFC limit stays as the engine starts unless one is given.
struct IdleOnAir {
  IdleOnAir(int32_t listenHz, int32_t sendHz, int32_t afcLimit = -1) {
    EXPECT_EQ(sender.fnStartSoundCard(&senderWindow, 0, 1), 0);
    EXPECT_EQ(listener.fnStartSoundCard(&listenerWindow, 0, 1), 0);
    listener.fnSetRXFrequency(listenHz, 0, 0);
    if (afcLimit >= 0) listener.fnSetAFCLimit(afcLimit, 0);
    sender.fnSetTXFrequency(sendHz);
    sender.fnStartTX(kModeBpsk31);
  }
  void run(float noiseRms, unsigned seed, float (*bend)(float) = [](float x) { return x; }) {
    std::mt19937 random(seed);
    std::normal_distribution<float> noise(0.0f, noiseRms);
    for (int block = 0; block < 6 * 8000 / 256; ++block) {
      std::vector<float> air = senderDevice.pump(256);
      for (float& x : air) x = bend(x) + noise(random);
      listenerDevice.pump(256, air);
    }
  }
  PumpedAudio senderDevice, listenerDevice;
  PumpedDevices senderDevices{{&senderDevice}}, listenerDevices{{&listenerDevice}};
  PskEngine sender{senderDevices}, listener{listenerDevices};
  RecordingWindow senderWindow, listenerWindow;
};

// The sender's idle through an amplifier with a cubic bend, as a slightly
// overdriven transmitter sounds: its third-order products stand about 26 dB
// below the two idle tones. A clean idle reads as clean on a quiet band
// (products lost in the noise still tell that) and not at all in noise.
TEST(StationOnAir, ImdIsReadFromACleanOrDistortedIdleButNotInNoise) {
  for (const float noiseRms : {0.003f, 0.3f}) {
    IdleOnAir air(1500, 1500);
    air.run(noiseRms, 9);
    const auto imd = air.listenerWindow.of(kMsgImdReading);
    EXPECT_EQ(imd.empty(), noiseRms > 0.01f) << noiseRms;
    for (const Posted& p : imd) EXPECT_LE(p.wParam, -30);
  }
  IdleOnAir air(1000, 1012, 500);
  air.run(0.003f, 4, [](float x) { return x - 0.4f * x * x * x; });
  const auto imd = air.listenerWindow.of(kMsgImdReading);
  ASSERT_FALSE(imd.empty());
  for (const Posted& p : imd) EXPECT_NEAR(p.wParam, -26, 4);
  EXPECT_LE(imd.size(), 6u);  // at most once a second of idle
  EXPECT_EQ(air.senderWindow.count(kMsgImdReading), 0u);  // the sender hears nothing

  // The displays and meters follow the signal.
  PskEngine& listener = air.listener;
  EXPECT_NEAR(listener.fnGetRXFrequency(0), 1012, 3);  // pulled by AFC
  EXPECT_GT(listener.fnGetSignalLevel(0), 70);
  // Idle is two tones 15.6 Hz either side of the carrier.
  EXPECT_NEAR(listener.fnGetClosestPeak(900, 1200), 1012, 20);
  std::vector<int32_t> bins(kSpectrumBins, -1);
  ASSERT_EQ(listener.fnGetFFTData(bins.data(), 200, 300), 0);
  EXPECT_EQ(bins[199], -1);  // only first..last written
  EXPECT_EQ(bins[301], -1);
  const auto peak = std::max_element(bins.begin() + 200, bins.begin() + 301);
  EXPECT_NEAR((peak - bins.begin()) * 3.90625, 1012, 25);
  std::vector<int32_t> vector(kVectorValues, 0);
  ASSERT_EQ(listener.fnGetVectorData(vector.data(), 0), 0);
  EXPECT_TRUE(std::any_of(vector.begin(), vector.end(), [](int32_t v) { return std::abs(v) > 300; }));
}

}  // namespace
}  // namespace quillary::psk::test

// Starting and stopping the engine: error codes, settings kept across
// stops, nothing posted after a stop, the display cadence.
#include <gtest/gtest.h>

#include "support/EngineTestSupport.h"

namespace quillary::psk::test {
namespace {

TEST(EngineStart, ErrorCodesForMissingBusyAndUnreadableDevices) {
  PumpedAudio first, second;
  PumpedDevices devices{{&first, &second}};
  PskEngine engine(devices);
  RecordingWindow window;

  for (int32_t none : {2, 32767, -5}) EXPECT_EQ(engine.fnStartSoundCard(&window, none, 1), kStartNoSuchDevice) << none;
  for (int32_t fault : {kStartDeviceBusy, kStartCannotRead}) {
    second.failOpenWith(fault);
    EXPECT_EQ(engine.fnStartSoundCard(&window, 1, 1), fault);
  }
  EXPECT_FALSE(second.running());
  EXPECT_EQ(engine.fnStartTX(kModeBpsk31), 1);  // no audio, nothing keyed

  EXPECT_EQ(engine.fnStartSoundCard(&window, -1, 1), 0);  // the default: device 0 here
  EXPECT_TRUE(first.running());
  // Starting on another device moves the engine there.
  second.failOpenWith(0);
  EXPECT_EQ(engine.fnStartSoundCard(&window, 1, 1), 0);
  EXPECT_FALSE(first.running());
  EXPECT_TRUE(second.running());
  EXPECT_TRUE(window.all().empty());
}

TEST(EngineStart, SettingsMadeBeforeStartOrAfterStopAreKept) {
  PumpedAudio device;
  PumpedDevices devices{{&device}};
  PskEngine engine(devices);
  RecordingWindow window;

  EXPECT_EQ(engine.fnSetRXFrequency(1234, 0, 0), 0);
  // Refused, the old value staying:
  for (int32_t refused : {engine.fnSetRXFrequency(50, 0, 0), engine.fnSetSquelchThreshold(150, 0, 0),
                          engine.fnSetFFTMode(0, 100, 50), engine.fnSetRXPSKMode(4, 0)})
    EXPECT_EQ(refused, 1);
  EXPECT_EQ(engine.fnSetRXPSKMode(kModeQpsk63, 0), 0);
  EXPECT_EQ(engine.fnGetRXFrequency(0), 1234);
  std::vector<int32_t> bins(kSpectrumBins, -7);
  EXPECT_EQ(engine.fnGetFFTData(bins.data(), 0, kSpectrumBins - 1), 0);
  EXPECT_EQ(engine.fnGetFFTData(nullptr, 0, 10), 1);
  EXPECT_EQ(engine.fnGetVectorData(nullptr, 0), 1);
  EXPECT_EQ(engine.fnGetTXCharsRemaining(), 0);
  EXPECT_EQ(engine.fnSendTXString("NOT NOW"), 1);  // nothing is queued for a later start
  EXPECT_EQ(engine.fnGetTXCharsRemaining(), 0);
  EXPECT_EQ(engine.fnStopSoundCard(), 0);  // stopping what never started is harmless

  ASSERT_EQ(engine.fnStartSoundCard(&window, 0, 1), 0);
  device.pump(800);
  EXPECT_EQ(engine.fnGetRXFrequency(0), 1234);
  engine.fnStopSoundCard();
  engine.fnSetRXFrequency(1500, 0, 0);
  ASSERT_EQ(engine.fnStartSoundCard(&window, 0, 1), 0);
  EXPECT_EQ(engine.fnGetRXFrequency(0), 1500);
}

TEST(EngineStart, DisplayReadyTenTimesASecondWhateverTheBlockSizeAndNothingPostedAfterStop) {
  PumpedAudio device;
  PumpedDevices devices{{&device}};
  PskEngine engine(devices);
  RecordingWindow window;
  ASSERT_EQ(engine.fnStartSoundCard(&window, 0, 1), 0);
  for (int i = 0; i < 24; ++i) device.pump(333);  // 7992 samples
  EXPECT_EQ(window.count(kMsgDisplayReady), 9u);
  device.pump(8);  // 8000
  EXPECT_EQ(window.count(kMsgDisplayReady), 10u);
  device.pump(8000 * 3);  // one large block is cut up, not one notification
  EXPECT_EQ(window.count(kMsgDisplayReady), 40u);

  engine.fnStartTX(kModeBpsk31);
  engine.fnSendTXString("TEXT");
  device.pump(4000);
  ASSERT_FALSE(window.all().empty());
  engine.fnStopSoundCard();
  const std::size_t posted = window.all().size();

  EXPECT_FALSE(device.running());
  EXPECT_TRUE(device.pump(4000).empty());
  EXPECT_EQ(engine.fnGetTXCharsRemaining(), 0);  // the transmitter was dropped
  engine.fnStopSoundCard();
  EXPECT_EQ(window.all().size(), posted);

  // A fresh start begins receiving, not transmitting the dropped text.
  ASSERT_EQ(engine.fnStartSoundCard(&window, 0, 1), 0);
  EXPECT_EQ(lastAudible(device.pump(8000)), -1);
  EXPECT_EQ(window.transmitStates(), std::vector<int32_t>{1});  // only the first transmission's on
}

// A card 150 ppm fast: each 256-sample block arrives a little early. A
// machine suspended for a minute (no samples, the clock ran on) and a
// restart each measure afresh rather than read a slow card.
TEST(EngineStart, ClockErrorOfTheSoundCardIsPostedEveryHalfMinuteAndMeasuredAfreshAfterAGap) {
  double seconds = 0;
  PskEngine::Options options;
  options.clock = [&seconds] {
    return std::chrono::steady_clock::time_point{} +
           std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(seconds));
  };
  PumpedAudio device;
  PumpedDevices devices{{&device}};
  PskEngine engine(devices, options);
  RecordingWindow window;
  const auto play = [&](double forSeconds, double ppm) {
    for (int block = 0; block < 8000 * forSeconds / 256; ++block) {
      seconds += 256.0 / (8000.0 * (1.0 + ppm * 1e-6));
      device.pump(256);
    }
  };
  ASSERT_EQ(engine.fnStartSoundCard(&window, 0, 1), 0);
  play(70, 150);
  ASSERT_EQ(window.count(kMsgClockError), 2u);
  seconds += 60;
  play(20, 150);
  EXPECT_EQ(window.count(kMsgClockError), 2u) << "no reading in the first half minute after the gap";
  play(50, 150);
  const auto readings = window.of(kMsgClockError);
  ASSERT_GE(readings.size(), 3u);
  for (const Posted& p : readings) EXPECT_NEAR(p.wParam, 150, 1);
  engine.fnStopSoundCard();
  ASSERT_EQ(engine.fnStartSoundCard(&window, 0, 1), 0);
  play(20, 0);
  EXPECT_EQ(window.count(kMsgClockError), readings.size()) << "no reading in the first half minute after a restart";
}

}  // namespace
}  // namespace quillary::psk::test

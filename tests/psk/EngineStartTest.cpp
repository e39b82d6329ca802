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

  for (int32_t none : {2, -5}) EXPECT_EQ(engine.fnStartSoundCard(&window, none, 1), kStartNoSuchDevice) << none;
  for (int32_t fault : {kStartDeviceBusy, kStartCannotRead}) {
    second.failOpenWith(fault);
    EXPECT_EQ(engine.fnStartSoundCard(&window, 1, 1), fault);
  }
  EXPECT_FALSE(second.running());
  EXPECT_EQ(engine.fnStartTX(kModeBpsk31), 1);  // no audio, nothing keyed

  EXPECT_EQ(engine.fnStartSoundCard(&window, -1, 1), 0);  // the default: device 0 here
  second.failOpenWith(0);
  EXPECT_EQ(engine.fnStartSoundCard(&window, 1, 1), 0);
  EXPECT_FALSE(first.running());
  EXPECT_TRUE(second.running());
}

TEST(EngineStart, SettingsMadeBeforeStartOrAfterStopAreKept) {
  PumpedAudio device;
  PumpedDevices devices{{&device}};
  PskEngine engine(devices);
  RecordingWindow window;

  EXPECT_EQ(engine.fnSetRXFrequency(1234, 0, 0), 0);
  for (int32_t refused : {engine.fnSetRXFrequency(50, 0, 0), engine.fnSetSquelchThreshold(150, 0, 0),
                          engine.fnSetFFTMode(0, 100, 50), engine.fnSetRXPSKMode(4, 0),
                          engine.fnGetFFTData(nullptr, 0, 10), engine.fnGetVectorData(nullptr, 0),
                          engine.fnSetRXPSKMode(kModeBpsk31, PskEngine::kMaxChannels),
                          engine.fnSetRXFrequency(1000, 0, -1)})
    EXPECT_EQ(refused, 1);
  EXPECT_EQ(engine.fnSendTXString("NOT NOW"), 1);  // nothing is queued for a later start
  EXPECT_EQ(engine.fnStopSoundCard(), 0);  // stopping what never started is harmless

  ASSERT_EQ(engine.fnStartSoundCard(&window, 0, 1), 0);
  device.pump(800);
  EXPECT_EQ(engine.fnGetRXFrequency(0), 1234);
  EXPECT_EQ(engine.fnGetTXCharsRemaining(), 0);
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
  device.pump(8 + 8000 * 3);  // one large block is cut up, not one notification
  EXPECT_EQ(window.count(kMsgDisplayReady), 40u);

  engine.fnStartTX(kModeBpsk31);
  engine.fnSendTXString("TEXT");
  device.pump(4000);
  engine.fnStopSoundCard();
  const std::size_t posted = window.all().size();
  EXPECT_TRUE(device.pump(4000).empty());
  engine.fnStopSoundCard();
  EXPECT_EQ(window.all().size(), posted);

  // A fresh start receives; the dropped text is not sent.
  ASSERT_EQ(engine.fnStartSoundCard(&window, 0, 1), 0);
  EXPECT_EQ(lastAudible(device.pump(8000)), -1);
  EXPECT_EQ(window.transmitStates(), std::vector<int32_t>{1});
}

}  // namespace
}  // namespace quillary::psk::test

// Recordings for the Simulator: any rate and channel count becomes mono at
// 8000 Hz; what is no sound file is not read, and the engine says so.
#include <gtest/gtest.h>

#include <cmath>

#include "../PskTestSignals.h"
#include "psk/audio/AudioDeviceList.h"
#include "psk/audio/RecordingFile.h"
#include "support/EngineTestSupport.h"
#include "support/TempFolder.h"

namespace quillary::psk {
namespace {

TEST(RecordingFile, StereoAtAnotherRateBecomesMonoAt8000AndNonSoundIsNotRead) {
  quillary::testing::TempFolder temp;
  const auto path = (temp.path() / "tone.wav").string();
  std::vector<float> stereo;  // 1000 Hz at half scale on the left, silence on the right
  for (int i = 0; i < 96000; ++i) stereo.insert(stereo.end(), {0.5f * float(std::sin(2 * M_PI * 1000 * i / 48000)), 0});
  test::writeWav(path, stereo, 48000, 2);
  const auto recording = loadRecording(path);
  ASSERT_TRUE(recording.has_value());
  EXPECT_NEAR(static_cast<double>(recording->size()), 16000, 64);
  // 1750 upward zero crossings in 14000 samples, at the mixed level of 0.25.
  int crossings = 0;
  float peak = 0;
  for (std::size_t i = 1000; i < 15000; ++i) {
    crossings += ((*recording)[i - 1] < 0 && (*recording)[i] >= 0) ? 1 : 0;
    peak = std::max(peak, std::fabs((*recording)[i]));
  }
  EXPECT_NEAR(crossings, 1750, 2);
  EXPECT_NEAR(peak, 0.25, 0.01);

  quillary::testing::writeBytes(temp.path() / "not_sound.wav", "not a sound file");
  AudioDeviceList unreadable((temp.path() / "not_sound.wav").string());
  PskEngine engine(unreadable);
  test::RecordingWindow window;
  const auto simulator = static_cast<int32_t>(unreadable.devices().size() - 1);
  EXPECT_EQ(engine.fnStartSoundCard(&window, simulator, 1), kStartCannotRead);
  EXPECT_EQ(engine.fnStartSoundCard(&window, simulator + 1, 1), kStartNoSuchDevice);
}

}  // namespace
}  // namespace quillary::psk

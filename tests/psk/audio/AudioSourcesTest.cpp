// Recordings for the Simulator: any rate and channel count becomes mono at
// 8000 Hz; what is no sound file is not read, and the engine says so. The
// Simulator's station over a chosen HF path and signal-to-noise ratio.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "../PskTestSignals.h"
#include "psk/audio/AudioDeviceList.h"
#include "psk/audio/RecordingFile.h"
#include "psk/audio/SimulatedBand.h"
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

// The demo station idles from one to four seconds in: through a poor path
// its strength comes and goes by tens of dB, over a steady one it holds.
// The noise follows the ratio asked for; a path that is none does not open.
TEST(SimulatedBand, TheStationComesOverTheChosenPathAtTheChosenRatio) {
  const auto quarterSecondPowers = [](SimulatedBand band) {
    std::vector<float> audio(4 * 8000);
    band.render(audio.size(), audio.data());
    std::vector<double> powers;
    for (std::size_t start = 0; start + 2000 <= audio.size(); start += 2000) {
      double sum = 0;
      for (std::size_t n = start; n < start + 2000; ++n) sum += double(audio[n]) * audio[n];
      powers.push_back(sum / 2000);
    }
    return powers;  // [0..4): noise alone, [6..16): the idle
  };
  const auto spreadDb = [](const std::vector<double>& p) {
    const auto [low, high] = std::minmax_element(p.begin() + 6, p.end());
    return 10 * std::log10(*high / *low);
  };
  const auto steady = quarterSecondPowers(SimulatedBand({std::nullopt, 30.0}));
  const auto poor = quarterSecondPowers(SimulatedBand({hfConditionNamed("poor"), 30.0}));
  EXPECT_LT(spreadDb(steady), 1.0);
  EXPECT_GT(spreadDb(poor), 10.0);
  const auto lower = quarterSecondPowers(SimulatedBand({std::nullopt, 20.0}));
  EXPECT_NEAR(10 * std::log10(lower[1] / steady[1]), 10.0, 0.5) << "10 dB less ratio, 10 dB more noise";

  for (const SimulatorPathSetting& none : {SimulatorPathSetting{"stormy", {}}, SimulatorPathSetting{{}, "-3 dB"}}) {
    AudioDeviceList devices(std::nullopt, none);
    PskEngine engine(devices);
    test::RecordingWindow window;
    EXPECT_EQ(engine.fnStartSoundCard(&window, static_cast<int32_t>(devices.devices().size() - 1), 1), kStartCannotRead);
  }
}

}  // namespace
}  // namespace quillary::psk

#include "psk/RecordingFile.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "support/TempFolder.h"

namespace quillary::psk {
namespace {

std::filesystem::path writeStereoTone(double rate, double hz, double seconds) {
  const auto path = std::filesystem::temp_directory_path() / ("quillary_recording_" + std::to_string(getpid()) + ".wav");
  SF_INFO info{};
  info.samplerate = static_cast<int>(rate);
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  EXPECT_NE(file, nullptr);
  const auto frames = static_cast<std::size_t>(rate * seconds);
  std::vector<float> samples(frames * 2);
  for (std::size_t i = 0; i < frames; ++i) {
    samples[2 * i] = static_cast<float>(0.5 * std::sin(2 * M_PI * hz * static_cast<double>(i) / rate));
    samples[2 * i + 1] = 0.0f;  // the mix of both channels halves the level
  }
  sf_writef_float(file, samples.data(), static_cast<sf_count_t>(frames));
  sf_close(file);
  return path;
}

TEST(RecordingFile, StereoFileAtAnotherRateBecomesMonoAt8000) {
  const auto path = writeStereoTone(48000, 1000, 2.0);
  const auto recording = loadRecording(path.string());
  std::filesystem::remove(path);
  ASSERT_TRUE(recording.has_value());
  EXPECT_NEAR(static_cast<double>(recording->size()), 16000, 64);
  // A 1000 Hz tone at 8000 Hz: 2000 upward zero crossings in two seconds,
  // at the mixed level of 0.25.
  int crossings = 0;
  float peak = 0;
  for (std::size_t i = 1000; i < 15000; ++i) {
    crossings += ((*recording)[i - 1] < 0 && (*recording)[i] >= 0) ? 1 : 0;
    peak = std::max(peak, std::fabs((*recording)[i]));
  }
  EXPECT_NEAR(crossings, 1750, 2);
  EXPECT_NEAR(peak, 0.25, 0.01);
}

TEST(RecordingFile, MissingOrNonSoundFilesAreNotRead) {
  EXPECT_FALSE(loadRecording("/nonexistent/file.wav").has_value());
  quillary::testing::TempFolder temp;
  const auto path = temp.path() / "not_sound.wav";
  { std::FILE* f = std::fopen(path.c_str(), "w"); std::fputs("not a sound file", f); std::fclose(f); }
  EXPECT_FALSE(loadRecording(path.string()).has_value());
}

}  // namespace
}  // namespace quillary::psk

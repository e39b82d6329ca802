#include "psk/audio/RecordingFile.h"

#include <sndfile.h>

#include "psk/PskMode.h"
#include "psk/dsp/Resampler.h"

namespace quillary::psk {

std::optional<std::vector<float>> loadRecording(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) return std::nullopt;
  std::vector<float> interleaved(static_cast<std::size_t>(info.frames) * static_cast<std::size_t>(info.channels));
  const sf_count_t read = sf_readf_float(file, interleaved.data(), info.frames);
  sf_close(file);
  if (read <= 0 || info.channels < 1 || info.samplerate <= 0) return std::nullopt;

  std::vector<float> mono(static_cast<std::size_t>(read));
  for (std::size_t i = 0; i < mono.size(); ++i) {
    float sum = 0.0f;
    for (int c = 0; c < info.channels; ++c) sum += interleaved[i * static_cast<std::size_t>(info.channels) + c];
    mono[i] = sum / static_cast<float>(info.channels);
  }
  if (info.samplerate == static_cast<int>(kSampleRate)) return mono;
  std::vector<float> converted;
  Resampler resampler(info.samplerate, kSampleRate);
  resampler.process(mono.size(), mono.data(), converted);
  resampler.flush(converted);
  if (converted.empty()) return std::nullopt;
  return converted;
}

}  // namespace quillary::psk

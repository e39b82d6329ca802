#include "AudioFile.h"

#include <sndfile.h>

#include <optional>

#include "psk/PskMode.h"
#include "psk/dsp/Resampler.h"

namespace psktool {
namespace {

constexpr sf_count_t kFramesPerRead = 4096;
constexpr int kLowestFileRate = 4000;
constexpr int kHighestFileRate = 384000;

std::string readOpenFile(SNDFILE* file, const SF_INFO& info, const std::function<bool(const std::vector<float>&)>& sink) {
  const double rate = quillary::psk::kSampleRate;
  std::optional<quillary::psk::Resampler> resampler;
  if (info.samplerate != static_cast<int>(rate)) resampler.emplace(info.samplerate, rate);
  std::vector<float> frames(static_cast<std::size_t>(kFramesPerRead * info.channels));
  std::vector<float> mono, audio;
  const auto deliver = [&](const std::vector<float>& samples) {
    audio.clear();
    if (resampler) resampler->process(samples.size(), samples.data(), audio);
    return sink(resampler ? audio : samples);
  };
  const std::string refused = "cannot write the decoded text";
  for (;;) {
    const sf_count_t got = sf_readf_float(file, frames.data(), kFramesPerRead);
    if (got <= 0) break;
    mono.resize(static_cast<std::size_t>(got));
    for (sf_count_t i = 0; i < got; ++i) mono[i] = frames[static_cast<std::size_t>(i * info.channels)];
    if (!deliver(mono)) return refused;
  }
  if (sf_error(file) != SF_ERR_NO_ERROR) return sf_strerror(file);
  if (resampler) {
    audio.clear();
    resampler->flush(audio);
    if (!sink(audio)) return refused;
  }
  return "";
}

}  // namespace

std::string readAudioFile(const std::string& path, const std::function<bool(const std::vector<float>&)>& sink) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return std::string("cannot read it: ") + sf_strerror(nullptr);
  std::string problem;
  if (info.channels < 1 || info.samplerate < 1) problem = "no audio in the file";
  // A rate no sound card has is a broken header; converting from it would
  // build filters of millions of taps before reading a sample.
  else if (info.samplerate < kLowestFileRate || info.samplerate > kHighestFileRate)
    problem = "a sample rate of " + std::to_string(info.samplerate) + " Hz (only 4000 to 384000 Hz are read)";
  if (problem.empty()) problem = readOpenFile(file, info, sink);
  sf_close(file);
  return problem;
}

}  // namespace psktool

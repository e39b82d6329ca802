#include "psk/audio/InProcessChannel.h"

namespace quillary::psk {

InProcessChannel::InProcessChannel(double noiseRms, uint32_t seed) : noiseRms_(noiseRms), random_(seed) {}

void InProcessChannel::pump(std::size_t frames) {
  std::vector<float> fromA = a_.pump(frames, withNoise(toA_, frames));
  std::vector<float> fromB = b_.pump(frames, withNoise(toB_, frames));
  toB_ = std::move(fromA);
  toA_ = std::move(fromB);
}

std::vector<float> InProcessChannel::withNoise(const std::vector<float>& signal, std::size_t frames) {
  std::vector<float> heard(signal);
  heard.resize(frames, 0.0f);  // a silent (stopped) station sends nothing
  if (noiseRms_ > 0.0) {
    std::normal_distribution<float> noise(0.0f, static_cast<float>(noiseRms_));
    for (float& sample : heard) sample += noise(random_);
  }
  return heard;
}

}  // namespace quillary::psk

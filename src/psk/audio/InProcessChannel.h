#pragma once
// Two stations on one simulated band, in process: each station's transmit
// audio, plus optional white noise, is the other's receive input one block
// later. Driven by hand like PumpedAudio, for tests of two engines talking.
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "psk/audio/PumpedAudio.h"

namespace quillary::psk {

class InProcessChannel {
 public:
  // `noiseRms`: standard deviation of the Gaussian noise added to both
  // directions (0 = a clean channel); `seed` makes a run repeatable.
  explicit InProcessChannel(double noiseRms = 0.0, uint32_t seed = 1);

  PumpedAudio& stationA() { return a_; }
  PumpedAudio& stationB() { return b_; }

  // One block on both stations.
  void pump(std::size_t frames);

 private:
  std::vector<float> withNoise(const std::vector<float>& signal, std::size_t frames);

  PumpedAudio a_;
  PumpedAudio b_;
  std::vector<float> toA_;
  std::vector<float> toB_;
  double noiseRms_;
  std::mt19937 random_;
};

}  // namespace quillary::psk

#pragma once
// Two stations on the air as a real contact has them: white noise at a
// fixed signal-to-noise ratio (in 3 kHz, against a full-level PSK signal)
// and a sound card on the second station whose clock runs fast by a few
// parts per million, so each hears the other's audio slowly drifting in
// time. Driven by hand, block by block, like the in-process channel.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <random>
#include <vector>

#include "psk/audio/PumpedAudio.h"

namespace quillary::testing {

// A stream played at one clock and heard at another: cubic interpolation
// at a position that advances `ratio` input samples per output sample.
class ClockDrift {
 public:
  ClockDrift(double ratio, std::size_t latency) : ratio_(ratio), history_(latency + 1, 0.0f) {}
  void push(const std::vector<float>& samples) { history_.insert(history_.end(), samples.begin(), samples.end()); }
  std::vector<float> pull(std::size_t count);

 private:
  double ratio_;
  double position_ = 1.0;  // in samples of `history_`; one sample of past kept
  std::deque<float> history_;
};

class SimulatedAir {
 public:
  SimulatedAir(double snrDb, double clockPpmOfB, uint32_t seed);
  psk::PumpedAudio& stationA() { return a_; }
  psk::PumpedAudio& stationB() { return b_; }
  void pump(std::size_t frames);

 private:
  std::vector<float> withNoise(std::vector<float> heard);

  psk::PumpedAudio a_, b_;
  ClockDrift toB_, toA_;
  std::normal_distribution<float> noise_;
  std::mt19937 random_;
};

}  // namespace quillary::testing

#pragma once
// An HF radio path as the Watterson model describes it (ITU-R F.1487 and
// CCIR Rec. 520 before it): one or two paths of equal mean power, the
// second delayed, each with its own fading gain (DopplerFading) applied to
// the analytic signal, then white Gaussian noise for a signal-to-noise
// ratio in 3 kHz against the mean received signal power. The paths' mean
// powers add up to one, so the mean received power is the power sent.
//
// The output lags the input by the Hilbert transformer's 63 samples.
#include <complex>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <string_view>
#include <vector>

#include "psk/channel/DopplerFading.h"

namespace quillary::psk {

struct HfCondition {
  int paths = 2;          // 1 or 2
  double delayMs = 1.0;   // of the second path
  double spreadHz = 0.5;  // each path's frequency spread
};

// "good" (0.5 ms, 0.1 Hz), "moderate" (1 ms, 0.5 Hz), "poor" (2 ms, 1 Hz),
// all two paths, and "flat" (one path, 1 Hz); nullopt for any other name.
std::optional<HfCondition> hfConditionNamed(std::string_view name);

// The mean power of the samples that are not exactly silent (a transmission
// with the silence around it): the signal power an SNR is stated against.
// 0 when all are silent.
double activePower(std::size_t count, const float* samples);

class HfChannel {
 public:
  static constexpr int kHilbertLength = 127;
  static constexpr std::size_t kDelay = kHilbertLength / 2;  // samples the output lags
  static constexpr double kMaxDelayMs = 10.0;

  // A steady channel (no fading, no noise) until configured. False, and no
  // change, for a rate that is not above 0.
  bool create(double sampleRate, uint64_t seed);
  // False, and no change, for 1 or 2 paths not given, a delay outside
  // 0..kMaxDelayMs or a spread DopplerFading refuses.
  bool configure(const HfCondition& condition);
  // Noise for `snrDb` in 3 kHz against a mean signal power `signalPower`
  // (see activePower()); +infinity for none. False, and no change, for a
  // ratio that is NaN or -infinity or a power that is not above 0.
  bool setNoise(double snrDb, double signalPower);
  // Starts again: the same fading and noise as after configure().
  void reset();
  // `in` and `out` may be the same.
  void process(std::size_t count, const float* in, float* out);

 private:
  double sampleRate_ = 8000.0;
  uint64_t seed_ = 1;
  bool fading_ = false;
  std::vector<DopplerFading> paths_;
  std::vector<std::size_t> pathDelays_;           // samples
  std::vector<float> hilbert_;
  std::vector<float> input_;                      // the real input, a ring kept twice over
  std::vector<std::complex<float>> analytic_;     // ring of the analytic signal, for the path delays
  std::size_t inputNext_ = 0, analyticNext_ = 0;
  std::vector<std::complex<float>> gains_;        // per path, one sample
  double noiseRms_ = 0.0;
  std::mt19937_64 noiseRandom_;
  std::normal_distribution<double> gauss_;
};

}  // namespace quillary::psk

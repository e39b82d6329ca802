#include "psk/channel/HfChannel.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "psk/dsp/FirDesign.h"

namespace quillary::psk {

namespace {
// The noise stream's seed differs from every path's.
constexpr uint64_t kNoiseSeedOffset = 0x9e3779b97f4a7c15ull;
}  // namespace

std::optional<HfCondition> hfConditionNamed(std::string_view name) {
  if (name == "good") return HfCondition{2, 0.5, 0.1};
  if (name == "moderate") return HfCondition{2, 1.0, 0.5};
  if (name == "poor") return HfCondition{2, 2.0, 1.0};
  if (name == "flat") return HfCondition{1, 0.0, 1.0};
  return std::nullopt;
}

double activePower(std::size_t count, const float* samples) {
  double power = 0;
  std::size_t active = 0;
  for (std::size_t i = 0; i < count; ++i)
    if (samples[i] != 0.0f) power += static_cast<double>(samples[i]) * samples[i], ++active;
  return active ? power / static_cast<double>(active) : 0.0;
}

bool HfChannel::create(double sampleRate, uint64_t seed) {
  if (!(sampleRate > 0) || !std::isfinite(sampleRate)) return false;
  sampleRate_ = sampleRate;
  seed_ = seed;
  fading_ = false;
  paths_.clear();
  pathDelays_.assign(1, 0);
  hilbert_ = hilbertTaps(kHilbertLength);
  noiseRms_ = 0.0;
  reset();
  return true;
}

bool HfChannel::configure(const HfCondition& condition) {
  if ((condition.paths != 1 && condition.paths != 2) || !(condition.delayMs >= 0 && condition.delayMs <= kMaxDelayMs))
    return false;
  std::vector<DopplerFading> paths(static_cast<std::size_t>(condition.paths));
  std::vector<std::size_t> delays;
  for (std::size_t p = 0; p < paths.size(); ++p) {
    if (!paths[p].create(sampleRate_, condition.spreadHz, seed_ + p)) return false;
    delays.push_back(static_cast<std::size_t>(std::lround(p * condition.delayMs * 1e-3 * sampleRate_)));
  }
  paths_ = std::move(paths);
  pathDelays_ = std::move(delays);
  fading_ = true;
  reset();
  return true;
}

bool HfChannel::setNoise(double snrDb, double signalPower) {
  if (std::isnan(snrDb) || snrDb == -std::numeric_limits<double>::infinity() || !(signalPower > 0) ||
      !std::isfinite(signalPower))
    return false;
  // Noise of power N over the whole band (half the sample rate) puts
  // N * 3000 / (rate / 2) into 3 kHz.
  const double inBand = signalPower / std::pow(10.0, snrDb / 10);
  noiseRms_ = std::sqrt(inBand * (sampleRate_ / 2) / 3000.0);
  reset();
  return true;
}

void HfChannel::reset() {
  for (DopplerFading& path : paths_) path.reset();
  input_.assign(2 * hilbert_.size(), 0.0f);
  const std::size_t longest = *std::max_element(pathDelays_.begin(), pathDelays_.end());
  analytic_.assign(longest + 1, {});
  inputNext_ = analyticNext_ = 0;
  gains_.assign(std::max<std::size_t>(paths_.size(), 1), {1.0f, 0.0f});
  noiseRandom_.seed(seed_ + kNoiseSeedOffset);
  gauss_.reset();
}

void HfChannel::process(std::size_t count, const float* in, float* out) {
  const std::size_t length = hilbert_.size();
  for (std::size_t i = 0; i < count; ++i) {
    // Each sample is kept twice, so the transformer's window is contiguous:
    // input_[inputNext_ + 1 ..] holds the last `length` samples, oldest first.
    input_[inputNext_] = input_[inputNext_ + length] = in[i];
    inputNext_ = (inputNext_ + 1) % length;
    const float* window = input_.data() + inputNext_;
    // The oldest sample meets the last tap; the middle one is the real part.
    // Every other tap is zero.
    float imaginary = 0;
    for (std::size_t k = 0; k < length; k += 2) imaginary += hilbert_[length - 1 - k] * window[k];
    analytic_[analyticNext_] = {window[kDelay], imaginary};
    std::complex<float> sum{};
    if (!fading_) {
      sum = analytic_[analyticNext_];
    } else {
      for (std::size_t p = 0; p < paths_.size(); ++p) {
        paths_[p].process(1, &gains_[p]);
        const std::size_t at = (analyticNext_ + analytic_.size() - pathDelays_[p]) % analytic_.size();
        sum += gains_[p] * analytic_[at];
      }
      // Equal mean powers that add up to one.
      sum /= std::sqrt(static_cast<float>(paths_.size()));
    }
    analyticNext_ = (analyticNext_ + 1) % analytic_.size();
    out[i] = sum.real() + static_cast<float>(noiseRms_ > 0 ? noiseRms_ * gauss_(noiseRandom_) : 0.0);
  }
}

}  // namespace quillary::psk

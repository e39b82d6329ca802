#include "psk/dsp/SpectrumAnalyzer.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "psk/dsp/FftwPlanLock.h"

namespace quillary::psk {

// Magnitudes: one frame every 800 samples (ten a second at 8000 Hz) of a
// Hann-windowed 2048-point FFT, in dB against a full-scale sine, averaged
// exponentially over frames (weight 1 / smoothing for the newest frame).
// The displayed value is (dB + 100 + (bias - 1)) * scale / 100, clamped to
// 0..scale: at scale 100 one unit is one dB, a full-scale sine reaches the
// top, and each step of bias lifts the trace by one dB (bias 1 = no lift).
namespace {
constexpr int kSize = 2048;
constexpr int kBins = 1024;
constexpr int kHop = 800;
constexpr double kBinHz = SpectrumAnalyzer::kBinHz;
// Frames (ten a second) the band power is averaged over.
constexpr int kBandFrames = 20;
constexpr double kRangeDb = 100.0;
constexpr double kFloorDb = -200.0;
}  // namespace

struct SpectrumAnalyzer::State {
  float* input = nullptr;
  fftwf_complex* output = nullptr;
  fftwf_plan plan = nullptr;
  std::vector<float> window;
  std::vector<float> ring = std::vector<float>(kSize, 0.0f);
  std::size_t next = 0;
  int sinceFrame = 0;
  std::vector<double> averageDb = std::vector<double>(kBins, kFloorDb);
  std::vector<double> bandPower = std::vector<double>(kBins, 0.0);
  std::vector<float> latestDb = std::vector<float>(kBins, static_cast<float>(kFloorDb));
  uint64_t frameNumber = 0;
  int frames = 0;
  bool anyFrame = false;
  int smoothing = 3;
  int scale = 100;
  int bias = 1;
  double fullScaleReference = 1.0;  // power of a full-scale sine's peak bin

  State() {
    window.resize(kSize);
    double sum = 0;
    for (int n = 0; n < kSize; ++n) {
      window[n] = static_cast<float>(0.5 - 0.5 * std::cos(2 * std::numbers::pi * n / kSize));
      sum += window[n];
    }
    fullScaleReference = (sum / 2) * (sum / 2);
    std::lock_guard lock(fftwPlanMutex());
    input = fftwf_alloc_real(kSize);
    output = fftwf_alloc_complex(kSize / 2 + 1);
    plan = fftwf_plan_dft_r2c_1d(kSize, input, output, FFTW_ESTIMATE);
  }
  ~State() {
    std::lock_guard lock(fftwPlanMutex());
    fftwf_destroy_plan(plan);
    fftwf_free(input);
    fftwf_free(output);
  }
  State(const State&) = delete;
  State& operator=(const State&) = delete;

  void frame();
};

void SpectrumAnalyzer::State::frame() {
  for (int n = 0; n < kSize; ++n) input[n] = ring[(next + n) % kSize] * window[n];
  fftwf_execute(plan);
  const double weight = 1.0 / smoothing;
  frames = std::min(frames + 1, kBandFrames);
  for (int k = 0; k < kBins; ++k) {
    const double power = double(output[k][0]) * output[k][0] + double(output[k][1]) * output[k][1];
    const double db = std::max(kFloorDb, 10 * std::log10(power / fullScaleReference + 1e-30));
    latestDb[k] = static_cast<float>(db);
    averageDb[k] = anyFrame ? averageDb[k] + weight * (db - averageDb[k]) : db;
    bandPower[k] += (power / fullScaleReference - bandPower[k]) / frames;
  }
  anyFrame = true;
  ++frameNumber;
}

SpectrumAnalyzer::SpectrumAnalyzer() : state_(std::make_unique<State>()) {}
SpectrumAnalyzer::~SpectrumAnalyzer() = default;

bool SpectrumAnalyzer::setMode(int smoothing, int scale, int bias) {
  if (smoothing < 1 || smoothing > 10 || scale < 1 || bias < 1 || bias > 90) return false;
  state_->smoothing = smoothing;
  state_->scale = scale;
  state_->bias = bias;
  return true;
}

void SpectrumAnalyzer::process(std::size_t count, const float* in) {
  auto& s = *state_;
  for (std::size_t i = 0; i < count; ++i) {
    s.ring[s.next] = std::isfinite(in[i]) ? in[i] : 0.0f;  // no number: silence
    s.next = (s.next + 1) % kSize;
    if (++s.sinceFrame == kHop) {
      s.sinceFrame = 0;
      s.frame();
    }
  }
}

void SpectrumAnalyzer::fill(int32_t* bins, int first, int last) const {
  const auto& s = *state_;
  first = std::max(first, 0);
  last = std::min(last, kBins - 1);
  for (int k = first; k <= last; ++k) {
    const double units = (s.averageDb[k] + kRangeDb + (s.bias - 1)) * s.scale / kRangeDb;
    bins[k] = static_cast<int32_t>(std::clamp(std::lround(units), 0L, static_cast<long>(s.scale)));
  }
}

int SpectrumAnalyzer::closestPeak(int lowHz, int highHz) const {
  const auto& s = *state_;
  const int first = std::max(0, static_cast<int>(std::ceil(lowHz / kBinHz)));
  const int last = std::min(kBins - 1, static_cast<int>(std::floor(highHz / kBinHz)));
  // Nothing to choose from (no audio yet, or an empty range): answer the low
  // edge, which the signal search takes as "stay where you are".
  if (!s.anyFrame || first > last) return lowHz;
  int best = first;
  for (int k = first + 1; k <= last; ++k)
    if (s.averageDb[k] > s.averageDb[best]) best = k;
  return static_cast<int>(std::lround(best * kBinHz));
}

std::span<const double> SpectrumAnalyzer::bandPower() const { return state_->bandPower; }

uint64_t SpectrumAnalyzer::latestFrame(float* db) const {
  const auto& s = *state_;
  if (s.frameNumber > 0) std::copy(s.latestDb.begin(), s.latestDb.end(), db);
  return s.frameNumber;
}

}  // namespace quillary::psk

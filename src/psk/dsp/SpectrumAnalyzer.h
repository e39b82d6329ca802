#pragma once
// The spectrum of the receive audio: a 2048-point FFT at 8000 Hz, 1024 bins
// of 3.90625 Hz, magnitudes on a 0..scale range with smoothing and bias.
// A Hann-windowed frame every 800 samples (ten a second), in dB against a
// full-scale sine, averaged over frames with weight 1 / smoothing for the
// newest. Shown as (dB + 100 + bias - 1) * scale / 100, clamped to
// 0..scale: at scale 100 one unit per dB, a full-scale sine at the top, and
// each step of bias lifts the trace by a dB (bias 1: no lift).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace quillary::psk {

class SpectrumAnalyzer {
 public:
  SpectrumAnalyzer();
  ~SpectrumAnalyzer();

  // Smoothing 1..10 (more is steadier), scale (full-scale value, 100),
  // bias 1..90 (lifts or lowers the trace). False, and no change, outside.
  bool setMode(int smoothing, int scale, int bias);
  void process(std::size_t count, const float* in);
  // Writes bins[first..last] (absolute bin numbers, clamped to 0..1023).
  void fill(int32_t* bins, int first, int last) const;
  // The frequency in Hz of the strongest bin between the two frequencies
  // (its centre, rounded); the low frequency itself before any audio has
  // come in or when no bin lies between them.
  int closestPeak(int lowHz, int highHz) const;
  // The band's power per bin (linear, against a full-scale sine), averaged
  // over the last two seconds or so whatever the display's smoothing: for
  // finding the stations on the band.
  std::span<const double> bandPower() const;
  // Copies the newest frame's dB per bin (unsmoothed, 1024 values) into
  // `db` and answers the frame's number from 1; 0 before the first frame.
  uint64_t latestFrame(float* db) const;
  static constexpr double kBinHz = 8000.0 / 2048;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace quillary::psk

#pragma once
// IMD of the other station's idle: while it sends phase reversals its
// signal is two tones at +-baud/2 around the carrier; third-order products
// stand at +-3 baud/2. Over one second of clean idle the meter compares
// their powers (Hann-windowed DFT of the wide baseband) and answers
// 10 log10(P3 / P1) in whole dB, when the noise beside the tones is low
// enough to trust the figure. Products lost in the noise give the highest
// they could be, when that is 30 dB or more below the tones (a clean
// station); nearer the noise there is no reading.
#include <complex>
#include <cstddef>
#include <optional>
#include <vector>

namespace quillary::psk {

class ImdMeter {
 public:
  // False, and no change, for bad values.
  bool create(double sampleRate, int samplesPerSymbol);
  void reset();
  // Wide baseband samples at `sampleRate`.
  void process(std::size_t count, const std::complex<float>* wide);
  // Once per decided symbol: was it a reversal of a clean signal?
  void symbol(bool cleanReversal);
  // The latest reading, once.
  std::optional<int> take();

 private:
  void measure();
  double carrierOffset(std::size_t start) const;
  double noiseBeside(double offset, std::size_t start) const;
  double power(double hz, std::size_t start) const;

  double sampleRate_ = 500;
  int samplesPerSymbol_ = 16;
  int symbolsPerSecond_ = 31;
  std::size_t window_ = 500;       // one second of samples
  std::size_t margin_ = 64;        // newest samples not yet confirmed by decisions
  std::vector<std::complex<float>> ring_;
  std::size_t next_ = 0;
  std::size_t filled_ = 0;
  std::vector<float> hann_;
  int cleanRun_ = 0;
  std::optional<int> reading_;
};

}  // namespace quillary::psk

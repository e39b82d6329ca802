#pragma once
// IMD of the other station's idle: while it sends phase reversals its
// signal is two tones at +-baud/2 around the carrier; third-order products
// stand at +-3 baud/2. Over half a second of clean idle the meter compares
// their powers (Hann-windowed DFT of the wide baseband) and answers
// 10 log10(P3 / P1) in whole dB, when the noise beside the tones is low
// enough to trust the figure. Products lost in the noise give the highest
// they could be, when that is 25 dB or more below the tones (a clean
// station from about +10 dB in 3 kHz up); products standing a little over
// the noise give no reading. Through a path whose response changes across
// the station (two paths whose delays differ by a good part of a symbol)
// the tones and products are weighed unevenly, and there is no reading.
//
// Half a second fits in the shortest idle a station sends: the preamble of
// every transmission (1.024 s of reversals, the first few of them its
// switching on), a QPSK postamble, and the pauses between words an
// operator types. The tones, a baud apart from the products, stand 16
// resolution bins clear of them even at 31.25 baud. Readings come at most
// once per second of idle.
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
  bool measure();  // true for a reading
  double carrierOffset(std::size_t start) const;
  double noiseBeside(double offset, std::size_t start) const;
  double power(double hz, std::size_t start) const;
  double power(double hz, std::size_t start, std::size_t length) const;
  void judgeQuarter();
  bool evenPath(std::size_t start) const;

  double sampleRate_ = 500;
  int samplesPerSymbol_ = 16;
  int symbolsPerSecond_ = 31;
  int symbolsPerWindow_ = 16;
  std::size_t window_ = 256;       // half a second of samples
  std::size_t margin_ = 64;        // newest samples not yet confirmed by decisions
  std::vector<std::complex<float>> ring_;
  std::size_t next_ = 0;
  std::size_t filled_ = 0;
  std::vector<float> hann_;
  double longPower_ = 0;       // the mean power of the samples over the last seconds
  double longSmoothing_ = 1e-3;
  int cleanRun_ = 0;
  double runSwing_ = 0;   // the widest imbalance of the tones in a quarter window of the run, dB
  double selective_ = 0;  // the mean square of that imbalance over the last quarters, dB^2
  int quarters_ = 0;
  int sinceReading_ = 0;  // symbols
  std::optional<int> reading_;
};

}  // namespace quillary::psk

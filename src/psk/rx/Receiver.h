#pragma once
// The whole receive side at 8000 Hz: mixing to baseband, filtering and
// decimation, symbol timing, coherent detection for BPSK (BpskDetector,
// read again against both sides by BpskSmoother, twice),
// soft-decision Viterbi for QPSK (QpskViterbi, each path predicting the
// channel from what it has read), varicode
// reading, squelch, AFC (Afc), the signal
// quality and the IMD of clean idle. Not thread-safe: the engine
// serialises calls.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace quillary::psk {

class Receiver {
 public:
  Receiver();
  ~Receiver();
  Receiver(Receiver&&) noexcept;
  Receiver& operator=(Receiver&&) noexcept;

  // False (and no change) for a code that is no PSK mode.
  bool setMode(int modeCode);
  // False outside 100..3900 Hz.
  bool setFrequency(double hz);
  // The receive frequency, as moved by AFC.
  double frequency() const;
  // AFC pulls at most this far from the frequency last set; 0 = off.
  void setAfcLimit(double hz);
  // 0..99 against the signal quality; nothing is decoded while the quality
  // is below it. False outside 0..99.
  bool setSquelch(int threshold);

  // Decoded bytes are appended to `decoded`.
  void process(std::size_t count, const float* in, std::vector<uint8_t>& decoded);

  // 0..100: how well the latest phase changes sit on the constellation
  // (noise alone about 20, a clean station in tune near 100; a station off
  // tune scores lower, as its points sit beside the axes).
  int signalQuality() const;
  // Eight (x, y) points of the latest symbols, +-1000 full scale: the
  // phase changes, oldest first, scaled by the average symbol power, so a
  // BPSK reversal sits at (-1000, 0) and a kept phase at (1000, 0).
  std::array<int32_t, 16> vectorPoints() const;
  // An IMD reading in whole dB, at most once per second of clean idle.
  std::optional<int> takeImdReading();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace quillary::psk

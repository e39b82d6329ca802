#pragma once
// Sample-rate conversion by a polyphase windowed-sinc filter, for sound
// cards and files that do not run at 8000 Hz.
//
// Timing: output sample k stands exactly for input time k * in / out (no
// delay in the signal itself). To compute it the filter needs lookahead()
// input samples beyond that time, so process() holds back that much input:
// about 6.4 ms (51 input samples) for 8000 -> 48000 and 6.3 ms (302 input
// samples) for 48000 -> 8000. flush() ends a stream and gives out the rest.
//
// The filter passes 0..0.45 of the lower rate flat and rejects images and
// aliases from 0.5 of the lower rate on by more than 70 dB (Kaiser window).
#include <cstddef>
#include <memory>
#include <vector>

namespace quillary::psk {

class Resampler {
 public:
  // Rates in Hz, both > 0 and finite (std::invalid_argument otherwise);
  // resolved to a thousandth of a hertz.
  Resampler(double inputRate, double outputRate);
  ~Resampler();
  Resampler(Resampler&&) noexcept;
  Resampler& operator=(Resampler&&) noexcept;

  // Converted samples are appended to `out`. Chunking does not matter: the
  // same input in any pieces gives the same output.
  void process(std::size_t count, const float* in, std::vector<float>& out);
  // Ends the stream: appends the outputs for the input held back, as if
  // silence followed. Call reset() before the next stream.
  void flush(std::vector<float>& out);
  void reset();

  // Input samples held back beyond the time of the latest output.
  std::size_t lookahead() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace quillary::psk

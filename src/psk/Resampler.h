#pragma once
// Sample-rate conversion by a polyphase windowed-sinc filter, for sound
// cards and files that do not run at 8000 Hz.
#include <cstddef>
#include <memory>
#include <vector>

namespace quillary::psk {

class Resampler {
 public:
  // Rates in Hz, both > 0.
  Resampler(double inputRate, double outputRate);
  ~Resampler();
  Resampler(Resampler&&) noexcept;
  Resampler& operator=(Resampler&&) noexcept;

  // Converted samples are appended to `out`.
  void process(std::size_t count, const float* in, std::vector<float>& out);
  void reset();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace quillary::psk

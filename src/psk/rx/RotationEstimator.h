#pragma once
// How fast a baseband stream turns: the smoothed product r[n] conj(r[n-3])
// gives the frequency of the strongest carrier in the stream, whatever its
// modulation (data turns it back and forth, but not on average). Three
// samples apart, because noise through the receive low-pass hardly
// correlates there (-0.05): it neither drags the estimate towards zero nor
// looks like a carrier. Unambiguous within +-rate / 6.
#include <array>
#include <complex>
#include <cstddef>

namespace quillary::psk {

class RotationEstimator {
 public:
  static constexpr int kLag = 3;

  // Averaging over `seconds`. False, and no change, for bad values.
  bool create(double sampleRate, double seconds);
  void reset();
  void process(std::size_t count, const std::complex<float>* in);
  // The mixer moved by `hz`: the samples to come turn by -hz, and so does
  // the average, so the estimate never lags behind the AFC's own steps.
  void moved(double hz);
  double hz() const;
  // |average product| / average power: 0 for noise, near 1 for a carrier.
  double correlation() const;

 private:
  double sampleRate_ = 500;
  double smoothing_ = 1.0 / 125;
  std::array<std::complex<double>, kLag> history_{};  // a ring
  std::size_t next_ = 0;
  std::complex<double> rotation_{};
  double power_ = 0;
};

}  // namespace quillary::psk

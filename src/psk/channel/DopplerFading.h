#pragma once
// The gain of one ionospheric path: a complex Gaussian process of unit mean
// power whose spectrum is Gaussian, as the Watterson model has it. Its
// frequency spread is two standard deviations of that spectrum.
//
// White complex Gaussian noise at a low rate (32 times the spread) goes
// through a Gaussian filter whose power response is the Doppler spectrum,
// and is brought to the audio rate by cubic interpolation. At that rate the
// images of the interpolation lie 65 dB or more below the spectrum's own
// level, and the spectrum, whose width is a sixteenth of the rate, keeps
// its shape to a few thousandths of a dB.
#include <array>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace quillary::psk {

class DopplerFading {
 public:
  // `spreadHz` above 0 and at most a hundredth of `sampleRate`. False, and
  // no change, otherwise.
  bool create(double sampleRate, double spreadHz, uint64_t seed);
  // Starts the same process again from its seed.
  void reset();
  // The gain at each of the next `count` samples.
  void process(std::size_t count, std::complex<float>* gains);
  double spreadHz() const { return spreadHz_; }

 private:
  std::complex<double> generate();

  double spreadHz_ = 1.0;
  double step_ = 0.0;  // generator samples per output sample
  uint64_t seed_ = 1;
  std::mt19937_64 random_;
  std::normal_distribution<double> gauss_;
  std::vector<double> taps_;                       // the Gaussian filter, unit energy
  std::vector<std::complex<double>> white_;        // ring, as long as the filter
  std::size_t whiteNext_ = 0;
  std::array<std::complex<double>, 4> points_{};   // the process around the current position
  double position_ = 0.0;                          // between points_[1] and points_[2], 0..1
};

}  // namespace quillary::psk

#pragma once
// What both BPSK readings (BpskDetector, BpskSmoother) build their phase
// references from: the reaches of the averages they choose among, and how
// far a reference misses a symbol, the figure they choose by.
#include <array>
#include <complex>
#include <cstddef>

namespace quillary::psk {

// How much of each sample an average takes in (and the nearest neighbours
// beside it): 1 is the neighbours alone, 1/32 an average over some 64
// symbols, as good as a narrow carrier loop on a steady channel.
inline constexpr std::array<double, 10> kBpskReaches{1.0,     1.0 / 2,  1.0 / 3,  1.0 / 4,  1.0 / 6,
                                                     1.0 / 8, 1.0 / 12, 1.0 / 16, 1.0 / 24, 1.0 / 32};
inline constexpr std::size_t kBpskReachCount = kBpskReaches.size();

// The choice of reach follows the channel over some 128 symbols (4 s at
// 31.25 baud): each reach's misses are averaged that long.
inline constexpr double kBpskMissSmoothing = 1.0 / 128;

// |y| (1 - cos of the angle between the symbol, its data taken out, and the
// reference).
inline double bpskMiss(std::complex<double> data, std::complex<double> reference) {
  const double size = std::abs(reference), own = std::abs(data);
  return size > 0 ? own - (data * std::conj(reference)).real() / size : own;
}

}  // namespace quillary::psk

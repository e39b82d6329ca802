#pragma once
// What no receiver that decides bit by bit can beat over flat Rayleigh
// fading with ideal symbol timing, as a character error rate.
//
// Eb/N0 is the SNR in 3 kHz times 3000 / baud (one data bit per symbol in
// every mode). At an instantaneous Eb/N0 g a bit is wrong with probability
//   coherent:      2 q (1 - q), q = Q(sqrt(2 g))  (a known carrier phase,
//                  the bits read differentially, so one wrong symbol costs
//                  two bits)
//   differential:  exp(-g) / 2
// and a character of L bits (its code and the two-bit gap; L is the mean
// over the text) is right when all of them are. g is exponentially
// distributed about the mean Eb/N0 and held over each character: the
// fading is slow against a character, which gives the lowest error rate
// any bit-by-bit detector can reach at that mean (faster fading spreads
// the errors over more characters). The differential figure leaves out
// the phase the channel turns within a symbol (an error floor of about
// 0.3% of the bits at 31.25 baud and 1 Hz spread, less at higher rates).
#include <cmath>
#include <string>

#include "psk/Varicode.h"

namespace quillary::bench {

enum class Detection { coherent, differential };

inline double bitsPerCharacter(const std::string& text) {
  double bits = 0;
  for (char c : text) bits += static_cast<double>(psk::varicodeOf(static_cast<uint8_t>(c)).size() + 2);
  return text.empty() ? 0.0 : bits / static_cast<double>(text.size());
}

inline double rayleighCer(double baud, double snrDb, double bitsPerChar, Detection detection) {
  const double mean = std::pow(10.0, snrDb / 10) * 3000.0 / baud;
  const auto bitError = [detection](double g) {
    if (detection == Detection::differential) return 0.5 * std::exp(-g);
    const double q = 0.5 * std::erfc(std::sqrt(g));
    return 2 * q * (1 - q);
  };
  // The expectation over g = mean * u, u exponential with mean 1, by the
  // midpoint rule on u in [0, 40] (what lies beyond weighs e^-40).
  constexpr int kSteps = 200000;
  constexpr double kTop = 40.0;
  double sum = 0;
  for (int i = 0; i < kSteps; ++i) {
    const double u = (i + 0.5) * kTop / kSteps;
    sum += std::exp(-u) * (1 - std::pow(1 - bitError(mean * u), bitsPerChar));
  }
  return sum * kTop / kSteps;
}

}  // namespace quillary::bench

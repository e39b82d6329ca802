#pragma once
// What an ideal BPSK detector copies from the very audio the receiver gets:
// the yardstick the Rayleigh formulas (FadingBounds.h) stand for, measured
// instead of assumed. It is told what no receiver knows: the symbol timing,
// and (coherent) the channel's gain and phase at every symbol, read from a
// steady carrier sent through the same fading without noise.
//
//   coherent:      the sequence of signs most likely given the channel, the
//                  matched filter's leak of a sixth into each neighbour
//                  included (a two-state Viterbi over the whole text)
//   differential:  each bit the sign of the product of two consecutive
//                  matched-filter samples
//
// Both use the symbol's own two-symbol raised-cosine matched filter at the
// carrier's exact frequency, and read the bits through the varicode.
#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "psk/PskMode.h"
#include "psk/Varicode.h"
#include "psk/channel/HfChannel.h"
#include "psk/dsp/FirDesign.h"

namespace quillary::bench {

struct GenieCopy {
  std::string coherent, differential;
};

namespace genie {

using Complex = std::complex<double>;

// The samples through `condition`'s fading (seeded as fadeAndAddNoise
// seeds it, so the same fading), without noise, the lag taken out.
inline std::vector<float> faded(std::vector<float> samples, const psk::HfCondition& condition, unsigned seed) {
  psk::HfChannel channel;
  channel.create(8000.0, seed);
  channel.configure(condition);
  samples.resize(samples.size() + psk::HfChannel::kDelay, 0.0f);
  channel.process(samples.size(), samples.data(), samples.data());
  samples.erase(samples.begin(), samples.begin() + psk::HfChannel::kDelay);
  return samples;
}

// Mixed down from `hz`.
inline std::vector<Complex> mixed(const std::vector<float>& samples, double hz) {
  std::vector<Complex> out(samples.size());
  for (std::size_t n = 0; n < samples.size(); ++n)
    out[n] = static_cast<double>(samples[n]) * std::polar(1.0, -2 * std::numbers::pi * hz * static_cast<double>(n) / 8000);
  return out;
}

// The matched filter's output at sample `at`.
inline Complex matchedAt(const std::vector<Complex>& baseband, const std::vector<float>& pulse, std::size_t at) {
  Complex sum{};
  for (std::size_t k = 0; k < pulse.size() && k <= at; ++k) sum += static_cast<double>(pulse[k]) * baseband[at - k];
  return sum;
}

inline std::string read(const std::vector<int>& bits) {
  psk::VaricodeReader reader;
  std::string text;
  for (int bit : bits)
    if (const auto byte = reader.push(bit)) text.push_back(static_cast<char>(*byte));
  return text;
}

}  // namespace genie

// `clean` is the transmission at 1500 Hz, `noisy` the same through
// fadeAndAddNoise(*condition, snr, seed), or through addNoise() alone where
// `condition` is null.
inline GenieCopy genieCopy(int code, const std::vector<float>& clean, const std::vector<float>& noisy,
                           const psk::HfCondition* condition, unsigned seed) {
  using genie::Complex;
  const int length = psk::modeFromCode(code)->samplesPerSymbol;
  const auto step = static_cast<std::size_t>(length);
  const std::vector<float> pulse = psk::hannPulse(2 * length);
  const auto sent = genie::mixed(clean, 1500);
  // The symbols' instants: where the clean signal's matched filter gathers
  // the most over the preamble and the first words.
  std::size_t offset = 0;
  double most = 0;
  for (std::size_t o = 0; o < step; ++o) {
    double sum = 0;
    for (std::size_t n = o; n < std::min(sent.size(), 300 * step); n += step) sum += std::norm(genie::matchedAt(sent, pulse, n));
    if (sum > most) most = sum, offset = o;
  }
  // The carrier's phase as sent, but for its sign, which the differential
  // coding leaves free: half the angle of the summed squares.
  Complex squares{};
  for (std::size_t n = offset; n < sent.size(); n += step) squares += std::pow(genie::matchedAt(sent, pulse, n), 2);
  const Complex phase = std::polar(1.0, std::arg(squares) / 2);
  // The channel, from a steady carrier as strong as the transmission's
  // peak: a run of equal symbols gathers 4/3 of one symbol (each neighbour
  // leaks a sixth), so a lone symbol's share is 3/4 of it.
  const float peak = *std::max_element(clean.begin(), clean.end());
  std::vector<float> tone(clean.size());
  for (std::size_t n = 0; n < tone.size(); ++n) tone[n] = peak * static_cast<float>(std::cos(2 * std::numbers::pi * 1500 * static_cast<double>(n) / 8000));
  const auto channel = genie::mixed(condition ? genie::faded(tone, *condition, seed) : tone, 1500);
  const auto heard = genie::mixed(noisy, 1500);

  constexpr double kLeak = 1.0 / 6;
  std::vector<int> differentialBits;
  // Two states, the sign of the latest symbol; each step keeps where each
  // came from, traced back at the end (the text is short).
  std::array<double, 2> metric{};
  std::vector<std::array<int, 2>> from;
  Complex previous{};
  for (std::size_t n = offset; n < heard.size(); n += step) {
    const Complex z = genie::matchedAt(heard, pulse, n), h = 0.75 * genie::matchedAt(channel, pulse, n) * phase;
    differentialBits.push_back((z * std::conj(previous)).real() > 0 ? 1 : 0);
    previous = z;
    std::array<double, 2> next{};
    std::array<int, 2> came{};
    for (int s = 0; s < 2; ++s) {
      const double sign = s == 0 ? 1.0 : -1.0;
      next[s] = -1e300;
      for (int p = 0; p < 2; ++p) {
        const double other = p == 0 ? 1.0 : -1.0;
        const double m = metric[p] + sign * (z * std::conj(h)).real() - kLeak * sign * other * std::norm(h);
        if (m > next[s]) next[s] = m, came[s] = p;
      }
    }
    const double top = std::max(next[0], next[1]);
    metric = {next[0] - top, next[1] - top};
    from.push_back(came);
  }
  std::vector<int> coherentBits(from.size());
  for (int s = metric[0] >= metric[1] ? 0 : 1, k = static_cast<int>(from.size()) - 1; k >= 0; --k) {
    const int p = from[static_cast<std::size_t>(k)][static_cast<std::size_t>(s)];
    coherentBits[static_cast<std::size_t>(k)] = s == p ? 1 : 0;
    s = p;
  }
  return {genie::read(coherentBits), genie::read(differentialBits)};
}

}  // namespace quillary::bench

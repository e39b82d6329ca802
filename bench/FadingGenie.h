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
//
// Where the signal comes by two paths, the coherent detector above is told
// only their sum at the carrier; genieTwoPathCopy() is told each path's
// gain and its delay, and finds the most likely signs of the whole text
// (each path's matched filter, combined, in Ungerboeck's form of the
// Viterbi metric): what no receiver can beat on this channel.
#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <numbers>
#include <utility>
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

// The symbols' instants (where the clean signal's matched filter gathers
// the most over the preamble and the first words) and the carrier's phase
// as sent, but for its sign, which the differential coding leaves free
// (half the angle of the summed squares).
inline std::pair<std::size_t, Complex> instantsAndPhase(const std::vector<float>& clean, const std::vector<float>& pulse,
                                                        std::size_t step) {
  const auto sent = mixed(clean, 1500);
  std::size_t offset = 0;
  double most = 0;
  for (std::size_t o = 0; o < step; ++o) {
    double sum = 0;
    for (std::size_t n = o; n < std::min(sent.size(), 300 * step); n += step) sum += std::norm(matchedAt(sent, pulse, n));
    if (sum > most) most = sum, offset = o;
  }
  Complex squares{};
  for (std::size_t n = offset; n < sent.size(); n += step) squares += std::pow(matchedAt(sent, pulse, n), 2);
  return {offset, std::polar(1.0, std::arg(squares) / 2)};
}

// The bits of a sequence of signs (0: +), read differentially.
inline std::vector<int> bitsOfSigns(const std::vector<int>& signs) {
  std::vector<int> bits(signs.size());
  for (std::size_t k = 1; k < signs.size(); ++k) bits[k] = signs[k] == signs[k - 1] ? 1 : 0;
  return bits;
}

// A steady carrier as strong as `clean`'s peak, at `hz`, through the
// fading, mixed down.
inline std::vector<Complex> channelAt(const std::vector<float>& clean, double hz, const psk::HfCondition* condition,
                                      unsigned seed) {
  const float peak = *std::max_element(clean.begin(), clean.end());
  std::vector<float> tone(clean.size());
  for (std::size_t n = 0; n < tone.size(); ++n)
    tone[n] = peak * static_cast<float>(std::cos(2 * std::numbers::pi * hz * static_cast<double>(n) / 8000));
  return mixed(condition ? faded(tone, *condition, seed) : tone, hz);
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
  const auto [offset, phase] = genie::instantsAndPhase(clean, pulse, step);
  // The channel, from a steady carrier as strong as the transmission's
  // peak: a run of equal symbols gathers 4/3 of one symbol (each neighbour
  // leaks a sixth), so a lone symbol's share is 3/4 of it.
  const auto channel = genie::channelAt(clean, 1500, condition, seed);
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

// What the ideal receiver told both paths of `condition` copies (see the
// top): `clean` and `noisy` as for genieCopy().
inline std::string genieTwoPathCopy(int code, const std::vector<float>& clean, const std::vector<float>& noisy,
                                    const psk::HfCondition& condition, unsigned seed) {
  using genie::Complex;
  const int length = psk::modeFromCode(code)->samplesPerSymbol;
  const auto step = static_cast<std::size_t>(length);
  const std::vector<float> pulse = psk::hannPulse(2 * length);
  const auto [offset, phase] = genie::instantsAndPhase(clean, pulse, step);
  // Each path's gain, from two steady carriers a quarter turn apart over
  // the delay: h1 = g1 + u and h2 = g1 - j u (u the late path's gain as
  // the carrier at 1500 Hz sees it).
  const int delay = condition.paths == 2 ? static_cast<int>(std::lround(condition.delayMs * 8)) : 0;
  const double apart = delay > 0 ? 8000.0 / (4.0 * delay) : 250.0;
  const auto tone1 = genie::channelAt(clean, 1500, &condition, seed);
  const auto tone2 = genie::channelAt(clean, 1500 + apart, &condition, seed);
  const auto heard = genie::mixed(noisy, 1500);
  // The pulse's autocorrelation; the pulses' sum at any instant of a run
  // of equal symbols (what a steady carrier's envelope stands for).
  const auto correlation = [&](int lag) {
    lag = std::abs(lag);
    double sum = 0;
    for (int i = 0; i + lag < 2 * length; ++i) sum += static_cast<double>(pulse[i]) * pulse[i + lag];
    return sum;
  };
  double pulseSum = 0;
  for (float p : pulse) pulseSum += p;
  const double run = static_cast<double>(pulse[length]) + pulse[0];
  // States: the signs (bit set: -) of the symbol and the one before.
  std::array<double, 4> metric{};
  std::vector<std::array<int, 4>> from;
  for (std::size_t n = offset; n + delay < heard.size(); n += step) {
    const Complex h1 = genie::matchedAt(tone1, pulse, n) / pulseSum, h2 = genie::matchedAt(tone2, pulse, n) / pulseSum;
    const Complex late = delay > 0 ? (h1 - h2) / Complex(1, 1) : Complex{};
    // A lone symbol's pulse by each path: a1 p(t) + a2 p(t - delay).
    const Complex a1 = (h1 - late) * phase / run, a2 = late * phase / run;
    const Complex y = std::conj(a1) * genie::matchedAt(heard, pulse, n) +
                      (delay > 0 ? std::conj(a2) * genie::matchedAt(heard, pulse, n + delay) : Complex{});
    // How much of each symbol j before shows in this one's filters.
    std::array<double, 3> overlap{};
    for (int j = 1; j <= 2; ++j) {
      const int lag = -j * length;
      overlap[j] = (std::norm(a1) * correlation(lag) + std::norm(a2) * correlation(lag) +
                    a2 * std::conj(a1) * correlation(lag + delay) + a1 * std::conj(a2) * correlation(lag - delay))
                       .real();
    }
    std::array<double, 4> next{};
    std::array<int, 4> came{};
    for (int state = 0; state < 4; ++state) {
      const int own = state & 1, before = state >> 1;
      next[state] = -1e300;
      for (int old = 0; old < 4; ++old) {
        if ((old & 1) != before) continue;
        const double s0 = own ? -1 : 1, s1 = before ? -1 : 1, s2 = (old >> 1) ? -1 : 1;
        const double m = metric[old] + s0 * y.real() - s0 * s1 * overlap[1] - s0 * s2 * overlap[2];
        if (m > next[state]) next[state] = m, came[state] = old;
      }
    }
    const double top = *std::max_element(next.begin(), next.end());
    for (int k = 0; k < 4; ++k) metric[k] = next[k] - top;
    from.push_back(came);
  }
  std::vector<int> signs(from.size());
  int state = static_cast<int>(std::max_element(metric.begin(), metric.end()) - metric.begin());
  for (std::size_t k = from.size(); k-- > 0;) {
    signs[k] = state & 1;
    state = from[k][static_cast<std::size_t>(state)];
  }
  return genie::read(genie::bitsOfSigns(signs));
}

}  // namespace quillary::bench

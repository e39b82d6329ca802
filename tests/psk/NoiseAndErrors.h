#pragma once
// Shared with the receive benchmarks (bench/), so no test framework: a few
// paragraphs of English to send, white noise at a signal-to-noise ratio in
// 3 kHz, the same through a fading HF channel, and the character error
// rate.
#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "psk/channel/HfChannel.h"

namespace quillary::psk::signals {

// About 1100 characters of ordinary operating chatter, with capitals,
// digits, punctuation and line ends, as keyboard contacts carry.
inline const std::string kEnglishText =
    "Good evening and thanks for the call. Your signal is steady here, about 15 dB over the noise, "
    "and the copy is solid. My name is Anna and the station is in a small town near the coast.\r\n"
    "The rig is an old transceiver running 30 watts into a wire dipole strung between two pine trees, "
    "about 12 metres up. The band was quiet earlier today, but it opened in the late afternoon and "
    "I worked three stations in Europe and one in South America before dinner.\r\n"
    "The weather here is cold and windy, with rain expected tomorrow morning. I hope to put up a "
    "better antenna in the spring, when the ground is dry enough to walk on without sinking.\r\n"
    "How did you get started in radio? I was given a shortwave receiver by my uncle when I was "
    "eleven years old, and I listened every night until I could read Morse code at twenty words "
    "per minute. The licence came a few years later.\r\n"
    "Please send me a picture if you have time. I will send one of the shack and the view from "
    "the window, which looks over the harbour and the lighthouse.\r\n"
    "Thanks again for the nice contact, and I hope to meet you on the air again soon. 73 and "
    "good DX, Anna. QRZ? de N0CALL k\r\n";

// The signal's power is taken over its samples that are not silent.
inline void addNoise(std::vector<float>& samples, double snrDb, unsigned seed) {
  double power = 0;
  std::size_t active = 0;
  for (float s : samples)
    if (s != 0.0f) power += double(s) * s, ++active;
  if (active == 0) return;
  // Noise of power N over 0..4000 Hz puts N * 3000 / 4000 into 3 kHz.
  const double noisePower = power / active / std::pow(10.0, snrDb / 10) * 4000.0 / 3000.0;
  std::mt19937 random(seed);
  std::normal_distribution<float> gauss(0.0f, static_cast<float>(std::sqrt(noisePower)));
  for (float& s : samples) s += gauss(random);
}

// Through the HF channel of `condition` (seeded by `seed`), with white
// noise for `snrDb` in 3 kHz against the mean received power, which is the
// power of the samples sent that are not silent. The channel's lag is taken
// out: the samples keep their timing.
inline void fadeAndAddNoise(std::vector<float>& samples, const HfCondition& condition, double snrDb, unsigned seed) {
  HfChannel channel;
  if (!channel.create(8000.0, seed) || !channel.configure(condition) ||
      !channel.setNoise(snrDb, activePower(samples.size(), samples.data())))
    throw std::invalid_argument("no such HF channel");
  samples.resize(samples.size() + HfChannel::kDelay, 0.0f);
  channel.process(samples.size(), samples.data(), samples.data());
  samples.erase(samples.begin(), samples.begin() + HfChannel::kDelay);
}

// Edits (insertions, deletions, substitutions) from `expected` to the part
// of `got` that matches it best: what the open squelch prints in the noise
// before and after a transmission does not count.
inline std::size_t editDistance(const std::string& expected, const std::string& got) {
  std::vector<std::size_t> row(got.size() + 1, 0), next(got.size() + 1);
  for (std::size_t i = 1; i <= expected.size(); ++i) {
    next[0] = i;
    for (std::size_t j = 1; j <= got.size(); ++j)
      next[j] = std::min({row[j] + 1, next[j - 1] + 1, row[j - 1] + (expected[i - 1] != got[j - 1])});
    std::swap(row, next);
  }
  return *std::min_element(row.begin(), row.end());
}

inline double characterErrorRate(const std::string& expected, const std::string& got) {
  return expected.empty() ? 0.0 : static_cast<double>(editDistance(expected, got)) / static_cast<double>(expected.size());
}

}  // namespace quillary::psk::signals

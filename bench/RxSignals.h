#pragma once
// What the receive benchmarks share: a whole transmission of a text, a few
// paragraphs of plain English to send, and (from the engine tests' helpers)
// white noise at a signal-to-noise ratio in 3 kHz and the character errors
// of what came out.
#include <cstdint>
#include <string>
#include <vector>

#include "../tests/psk/NoiseAndErrors.h"
#include "psk/tx/Transmitter.h"

namespace quillary::bench {

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

// A whole transmission of `text` at `hz`: preamble, text, postamble.
inline std::vector<float> transmission(int code, const std::string& text, double hz = 1500) {
  psk::Transmitter tx;
  tx.setFrequency(hz);
  tx.start(code);
  tx.enqueue(text);
  tx.stop();
  std::vector<float> samples, block(1024);
  while (true) {
    const auto events = tx.process(block.size(), block.data());
    samples.insert(samples.end(), block.begin(), block.end());
    if (events.turnedOff || !tx.on()) break;
  }
  return samples;
}

using psk::signals::addNoise;
using psk::signals::editDistance;

}  // namespace quillary::bench

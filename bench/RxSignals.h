#pragma once
// What the receive benchmarks share: a whole transmission of a text, and
// (from the engine tests' helpers) a few paragraphs of plain English to
// send, white noise at a signal-to-noise ratio in 3 kHz, the fading HF
// channel and the character errors of what came out.
#include <cstdint>
#include <string>
#include <vector>

#include "../tests/psk/NoiseAndErrors.h"
#include "psk/tx/Transmitter.h"

namespace quillary::bench {

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
using psk::signals::kEnglishText;
using psk::signals::editDistance;

}  // namespace quillary::bench

#pragma once
// What the receive benchmarks share: a whole transmission of a text, the
// receiver as they run it, and
// (from the engine tests' helpers) a few paragraphs of plain English to
// send, white noise at a signal-to-noise ratio in 3 kHz, the fading HF
// channel and the character errors of what came out.
#include <cstdint>
#include <string>
#include <vector>

#include "../tests/psk/NoiseAndErrors.h"
#include "psk/rx/Receiver.h"
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

// The same with a second of silence before and after, so the receiver
// meets the station as on the air, out of the band's noise.
inline std::vector<float> transmissionInSilence(int code, const std::string& text) {
  const std::vector<float> sent = transmission(code, text);
  std::vector<float> samples(8000, 0.0f);
  samples.insert(samples.end(), sent.begin(), sent.end());
  samples.resize(samples.size() + 8000, 0.0f);
  return samples;
}

// What a receiver tuned to 1500 Hz prints from `samples`, its AFC reaching
// `afcLimitHz` either side (0: off).
inline std::string received(int code, int afcLimitHz, const std::vector<float>& samples) {
  psk::Receiver rx;
  rx.setMode(code);
  rx.setFrequency(1500);
  rx.setAfcLimit(afcLimitHz);
  std::vector<uint8_t> bytes;
  rx.process(samples.size(), samples.data(), bytes);
  return {bytes.begin(), bytes.end()};
}

using psk::signals::addNoise;
using psk::signals::kEnglishText;
using psk::signals::editDistance;

}  // namespace quillary::bench

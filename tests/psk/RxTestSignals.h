#pragma once
// Signals for the receive tests: WAV reading (16-bit PCM, as the peer
// recordings are), Gaussian noise, tones, and running a Receiver over
// samples with a tail of silence that flushes the decoder.
#include <cstdint>
#include <string>
#include <vector>

#include "psk/Receiver.h"

namespace quillary::psk::test {

struct WavData {
  int sampleRate = 0;
  std::vector<float> samples;  // first channel, -1..1
};

// Throws std::runtime_error when the file is no 16-bit PCM WAV.
WavData readWav16(const std::string& path);

std::string readFile(const std::string& path);

// Adds white Gaussian noise so that the signal-to-noise ratio in a 3 kHz
// bandwidth is `snrDb`, the signal power measured over the non-silent part.
void addNoise(std::vector<float>& samples, double snrDb, unsigned seed);

// Runs the samples, then `silenceSeconds` of silence, through the receiver
// in blocks of `block` samples; answers the decoded bytes.
std::string decodeAll(Receiver& receiver, const std::vector<float>& samples,
                      double silenceSeconds = 1.0, std::size_t block = 1000);

// The transmitter's whole transmission of `text` in a mode at a frequency,
// after `leadSeconds` of silence.
std::vector<float> transmit(int modeCode, const std::string& text, double hz = 1500,
                            double leadSeconds = 0.5);

// Edit distance between the two texts over the length of `expected`.
double characterErrorRate(const std::string& expected, const std::string& got);

}  // namespace quillary::psk::test

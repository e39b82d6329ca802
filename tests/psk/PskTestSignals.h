#pragma once
// Signals shared by the engine tests: WAV files, noise, a whole transmission,
// a receiver run to the end, and a look at transmitted audio from outside
// (coherent mix-down at a known carrier, phase changes between symbols).
#include <complex>
#include <cstddef>
#include <string>
#include <vector>

#include "NoiseAndErrors.h"
#include "psk/rx/Receiver.h"
#include "psk/tx/Transmitter.h"

namespace quillary::psk::test {

std::string readFile(const std::string& path);

struct WavData {
  int sampleRate = 0;
  std::vector<float> samples;  // first channel, -1..1
};
// Throws std::runtime_error when the file is no sound file.
WavData readWav(const std::string& path);
// A 16-bit PCM WAV of interleaved frames.
void writeWav(const std::string& path, const std::vector<float>& interleaved, int rate, int channels);

// `count` samples of a cosine of `hz` at `rate`, phase 0 at sample 0.
std::vector<float> tone(double hz, double rate, std::size_t count, double amplitude = 0.5);

using signals::addNoise;

// A receiver at 1500 Hz in the mode, with the AFC limit and the squelch
// (30: noise before a signal is held back as an operator would have it).
Receiver receiverFor(int modeCode, double afcLimit = 0, int squelch = 30);

// The samples, then `silenceSeconds` of silence, through the receiver in
// blocks of `block`; answers the decoded bytes.
std::string decodeAll(Receiver& receiver, const std::vector<float>& samples, double silenceSeconds = 1.0,
                      std::size_t block = 1000);

// The audio of process() in blocks until the transmitter is off (at most `maxSeconds`).
std::vector<float> runUntilOff(Transmitter& tx, std::size_t block = 256, double maxSeconds = 120);

// A whole transmission of `text` after `leadSeconds` of silence.
std::vector<float> transmit(int modeCode, const std::string& text, double hz = 1500, double leadSeconds = 0.5);

// Mean of audio * 2 e^(-j w n) over `window` samples centred on `centre`.
std::complex<double> mixDown(const std::vector<float>& audio, double hz, std::size_t centre, std::size_t window);

// Phase changes between successive symbol instants in quarter turns 0..3
// (+90 degrees is 1), where both vectors exceed `minFraction` of the strongest.
std::vector<int> phaseChanges(const std::vector<float>& audio, double hz, int samplesPerSymbol,
                              double minFraction = 0.5);

// Index of the first change that is not a reversal; -1 if none.
int firstNonReversal(const std::vector<int>& changes);

// BPSK bits from phase changes (no change = 1) through the varicode reader.
std::string readBpsk(const std::vector<int>& changes);

}  // namespace quillary::psk::test

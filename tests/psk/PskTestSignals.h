#pragma once
// Signals shared by the engine tests: WAV files, a whole transmission, a
// receiver run to the end, transmitted audio seen from outside.
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
  std::vector<float> samples;  // first channel
};
WavData readWav(const std::string& path);
// A 16-bit PCM WAV of interleaved frames.
void writeWav(const std::string& path, const std::vector<float>& interleaved, int rate, int channels);

std::vector<float> tone(double hz, double rate, std::size_t count, double amplitude = 0.5);

using signals::addNoise;

// A receiver at 1500 Hz (squelch 30: noise before a signal is held back).
Receiver receiverFor(int modeCode, double afcLimit = 0, int squelch = 30);

// The samples and `silenceSeconds` of silence through the receiver; the bytes decoded.
std::string decodeAll(Receiver& receiver, const std::vector<float>& samples, double silenceSeconds = 1.0,
                      std::size_t block = 1000);

// The audio of process() in blocks until the transmitter is off (at most `maxSeconds`).
std::vector<float> runUntilOff(Transmitter& tx, std::size_t block = 256, double maxSeconds = 120);

// A whole transmission of `text` after `leadSeconds` of silence.
std::vector<float> transmit(int modeCode, const std::string& text, double hz = 1500, double leadSeconds = 0.5);

// Mean of audio * 2 e^(-j w n) over `window` samples centred on `centre`.
std::complex<double> mixDown(const std::vector<float>& audio, double hz, std::size_t centre, std::size_t window);

// Phase changes between symbol instants in quarter turns 0..3 (+90 degrees
// is 1), where both vectors exceed `minFraction` of the strongest.
std::vector<int> phaseChanges(const std::vector<float>& audio, double hz, int samplesPerSymbol,
                              double minFraction = 0.5);

// Index of the first change that is not a reversal; -1 if none.
int firstNonReversal(const std::vector<int>& changes);

// BPSK bits from phase changes (no change = 1) through the varicode reader.
std::string readBpsk(const std::vector<int>& changes);

}  // namespace quillary::psk::test

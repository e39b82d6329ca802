#pragma once
// Test helpers that look at transmitted audio from outside: run a
// transmitter to its end, mix audio down coherently at a known carrier and
// read the symbol vectors and phase changes.
#include <complex>
#include <cstddef>
#include <string>
#include <vector>

#include "psk/Transmitter.h"

namespace quillary::psk::test {

struct TxRun {
  std::vector<float> audio;
  std::vector<std::size_t> onBlocks;   // indexes of blocks that reported turnedOn
  std::vector<std::size_t> offBlocks;  // ... turnedOff
};

// Calls process() in blocks of `block` until the transmitter is off (at most
// `maxSeconds`), keeping everything it wrote.
TxRun runUntilOff(Transmitter& tx, std::size_t block = 200, double maxSeconds = 120);

// Mean of audio * 2 e^(-j w n) over `window` samples centred on `centre`.
std::complex<double> mixDown(const std::vector<float>& audio, double hz, std::size_t centre,
                             std::size_t window);

// The sample offset (0..N-1) where the vectors read every N samples carry
// the most energy: the instants where the shaped signal is a pure symbol.
std::size_t findSymbolOffset(const std::vector<float>& audio, double hz, int samplesPerSymbol);

// Phase changes between successive symbol instants, in quarter turns 0..3
// (counter-clockwise, i.e. +90 degrees is 1), for all instants where the
// signal on both sides is above `minFraction` of the strongest vector.
std::vector<int> phaseChanges(const std::vector<float>& audio, double hz, int samplesPerSymbol,
                              double minFraction = 0.5);

// The index of the first phase change that is not a reversal, at or after
// `from`; -1 if there is none.
int firstNonReversal(const std::vector<int>& changes, std::size_t from = 0);

// BPSK bits from phase changes (no change = 1, reversal = 0) through the
// varicode reader.
std::string readBpsk(const std::vector<int>& changes);

std::vector<float> readWavMono16(const std::string& path, int* sampleRate = nullptr);

}  // namespace quillary::psk::test

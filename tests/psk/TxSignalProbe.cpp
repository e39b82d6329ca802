#include "TxSignalProbe.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <numbers>
#include <stdexcept>

#include "psk/Varicode.h"

namespace quillary::psk::test {

TxRun runUntilOff(Transmitter& tx, std::size_t block, double maxSeconds) {
  TxRun run;
  std::vector<float> buffer(block);
  const auto maxBlocks = static_cast<std::size_t>(maxSeconds * 8000 / block);
  for (std::size_t b = 0; b < maxBlocks; ++b) {
    const auto events = tx.process(block, buffer.data());
    run.audio.insert(run.audio.end(), buffer.begin(), buffer.end());
    if (events.turnedOn) run.onBlocks.push_back(b);
    if (events.turnedOff) run.offBlocks.push_back(b);
    if (!tx.on()) break;
  }
  return run;
}

std::complex<double> mixDown(const std::vector<float>& audio, double hz, std::size_t centre,
                             std::size_t window) {
  std::complex<double> sum;
  const double w = 2 * std::numbers::pi * hz / 8000.0;
  const std::size_t first = centre >= window / 2 ? centre - window / 2 : 0;
  const std::size_t last = std::min(audio.size(), first + window);
  for (std::size_t n = first; n < last; ++n) sum += static_cast<double>(audio[n]) * std::polar(2.0, -w * n);
  return window ? sum / static_cast<double>(window) : sum;
}

namespace {
// A quarter of a symbol, a whole number of 3000 Hz cycles: the image of the
// mixing at 1500 Hz cancels out.
std::size_t windowFor(int samplesPerSymbol) { return static_cast<std::size_t>(samplesPerSymbol / 4 / 8 * 8); }
}  // namespace

std::size_t findSymbolOffset(const std::vector<float>& audio, double hz, int samplesPerSymbol) {
  const std::size_t window = windowFor(samplesPerSymbol);
  std::size_t best = 0;
  double bestEnergy = -1;
  for (std::size_t offset = 0; offset < static_cast<std::size_t>(samplesPerSymbol); ++offset) {
    double energy = 0;
    for (std::size_t at = offset; at < audio.size(); at += samplesPerSymbol)
      energy += std::norm(mixDown(audio, hz, at, window));
    if (energy > bestEnergy) {
      bestEnergy = energy;
      best = offset;
    }
  }
  return best;
}

std::vector<int> phaseChanges(const std::vector<float>& audio, double hz, int samplesPerSymbol,
                              double minFraction) {
  const std::size_t window = windowFor(samplesPerSymbol);
  const std::size_t offset = findSymbolOffset(audio, hz, samplesPerSymbol);
  std::vector<std::complex<double>> vectors;
  double strongest = 0;
  for (std::size_t at = offset; at < audio.size(); at += samplesPerSymbol) {
    vectors.push_back(mixDown(audio, hz, at, window));
    strongest = std::max(strongest, std::abs(vectors.back()));
  }
  const double minLevel = minFraction * strongest;
  std::vector<int> changes;
  for (std::size_t k = 1; k < vectors.size(); ++k) {
    if (std::abs(vectors[k]) <= minLevel || std::abs(vectors[k - 1]) <= minLevel) continue;
    const double turns = std::arg(vectors[k] * std::conj(vectors[k - 1])) / (2 * std::numbers::pi);
    changes.push_back(static_cast<int>(std::lround(turns * 4)) & 3);
  }
  return changes;
}

int firstNonReversal(const std::vector<int>& changes, std::size_t from) {
  for (std::size_t i = from; i < changes.size(); ++i)
    if (changes[i] != 2) return static_cast<int>(i);
  return -1;
}

std::string readBpsk(const std::vector<int>& changes) {
  VaricodeReader reader;
  std::string text;
  for (int change : changes)
    if (auto byte = reader.push(change == 0 ? 1 : 0)) text.push_back(static_cast<char>(*byte));
  return text;
}

namespace {
uint32_t littleEndian(const std::string& bytes, std::size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes.at(at + i));
  return value;
}
}  // namespace

// A small RIFF reader for the test recordings (mono, 16-bit PCM).
std::vector<float> readWavMono16(const std::string& path, int* sampleRate) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
    throw std::runtime_error(path + " is no WAV file");
  std::vector<float> samples;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::string id = bytes.substr(at, 4);
    const uint32_t size = littleEndian(bytes, at + 4, 4);
    if (id == "fmt ") {
      if (littleEndian(bytes, at + 8, 2) != 1 || littleEndian(bytes, at + 10, 2) != 1 ||
          littleEndian(bytes, at + 22, 2) != 16)
        throw std::runtime_error(path + " is not mono 16-bit PCM");
      if (sampleRate) *sampleRate = static_cast<int>(littleEndian(bytes, at + 12, 4));
    } else if (id == "data") {
      const std::size_t count = std::min<std::size_t>(size, bytes.size() - at - 8) / 2;
      for (std::size_t i = 0; i < count; ++i)
        samples.push_back(static_cast<int16_t>(littleEndian(bytes, at + 8 + 2 * i, 2)) / 32768.0f);
    }
    at += 8 + size + (size & 1);
  }
  return samples;
}

}  // namespace quillary::psk::test

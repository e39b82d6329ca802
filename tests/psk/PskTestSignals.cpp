#include "PskTestSignals.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>
#include <stdexcept>

#include "psk/Varicode.h"

namespace quillary::psk::test {

std::string readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open " + path);
  return {std::istreambuf_iterator<char>(file), {}};
}

WavData readWav(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) throw std::runtime_error(path + ": " + sf_strerror(nullptr));
  std::vector<float> frames(static_cast<std::size_t>(info.frames * info.channels));
  const sf_count_t got = sf_readf_float(file, frames.data(), info.frames);
  sf_close(file);
  WavData wav{info.samplerate, std::vector<float>(static_cast<std::size_t>(got))};
  for (std::size_t i = 0; i < wav.samples.size(); ++i) wav.samples[i] = frames[i * static_cast<std::size_t>(info.channels)];
  return wav;
}

void writeWav(const std::string& path, const std::vector<float>& interleaved, int rate, int channels) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file) throw std::runtime_error(path + ": " + sf_strerror(nullptr));
  sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(interleaved.size() / channels));
  sf_close(file);
}

std::vector<float> tone(double hz, double rate, std::size_t count, double amplitude) {
  std::vector<float> samples(count);
  for (std::size_t n = 0; n < count; ++n)
    samples[n] = static_cast<float>(amplitude * std::cos(2 * std::numbers::pi * hz * n / rate));
  return samples;
}

Receiver receiverFor(int modeCode, double afcLimit, int squelch) {
  Receiver receiver;
  EXPECT_TRUE(receiver.setMode(modeCode));
  EXPECT_TRUE(receiver.setFrequency(1500));
  receiver.setAfcLimit(afcLimit);
  EXPECT_TRUE(receiver.setSquelch(squelch));
  return receiver;
}

std::string decodeAll(Receiver& receiver, const std::vector<float>& samples, double silenceSeconds,
                      std::size_t block) {
  std::vector<float> all = samples;
  all.resize(samples.size() + static_cast<std::size_t>(silenceSeconds * 8000), 0.0f);
  std::vector<uint8_t> decoded;
  for (std::size_t at = 0; at < all.size(); at += block)
    receiver.process(std::min(block, all.size() - at), all.data() + at, decoded);
  return {decoded.begin(), decoded.end()};
}

std::vector<float> runUntilOff(Transmitter& tx, std::size_t block, double maxSeconds) {
  std::vector<float> audio, buffer(block);
  for (std::size_t b = 0; b < static_cast<std::size_t>(maxSeconds * 8000 / block) && tx.on(); ++b) {
    tx.process(block, buffer.data());
    audio.insert(audio.end(), buffer.begin(), buffer.end());
  }
  return audio;
}

std::vector<float> transmit(int modeCode, const std::string& text, double hz, double leadSeconds) {
  Transmitter tx;
  if (!tx.setFrequency(hz) || !tx.start(modeCode)) throw std::runtime_error("transmitter refused mode or frequency");
  tx.enqueue(text);
  tx.stop();
  std::vector<float> samples(static_cast<std::size_t>(leadSeconds * 8000), 0.0f);
  const auto audio = runUntilOff(tx, 1024, 600);
  samples.insert(samples.end(), audio.begin(), audio.end());
  return samples;
}

std::complex<double> mixDown(const std::vector<float>& audio, double hz, std::size_t centre, std::size_t window) {
  std::complex<double> sum;
  const double w = 2 * std::numbers::pi * hz / 8000.0;
  const std::size_t first = centre >= window / 2 ? centre - window / 2 : 0;
  for (std::size_t n = first; n < std::min(audio.size(), first + window); ++n)
    sum += static_cast<double>(audio[n]) * std::polar(2.0, -w * n);
  return window ? sum / static_cast<double>(window) : sum;
}

std::vector<int> phaseChanges(const std::vector<float>& audio, double hz, int samplesPerSymbol, double minFraction) {
  // A quarter symbol, a whole number of 3000 Hz cycles: the image of the
  // mixing at 1500 Hz cancels. The symbol instants are where the vectors
  // carry the most energy.
  const auto window = static_cast<std::size_t>(samplesPerSymbol / 4 / 8 * 8);
  const auto sps = static_cast<std::size_t>(samplesPerSymbol);
  std::size_t offset = 0;
  double bestEnergy = -1;
  for (std::size_t candidate = 0; candidate < sps; ++candidate) {
    double energy = 0;
    for (std::size_t at = candidate; at < audio.size(); at += sps) energy += std::norm(mixDown(audio, hz, at, window));
    if (energy > bestEnergy) bestEnergy = energy, offset = candidate;
  }
  std::vector<std::complex<double>> vectors;
  double strongest = 0;
  for (std::size_t at = offset; at < audio.size(); at += sps) {
    vectors.push_back(mixDown(audio, hz, at, window));
    strongest = std::max(strongest, std::abs(vectors.back()));
  }
  std::vector<int> changes;
  for (std::size_t k = 1; k < vectors.size(); ++k) {
    if (std::min(std::abs(vectors[k]), std::abs(vectors[k - 1])) <= minFraction * strongest) continue;
    const double turns = std::arg(vectors[k] * std::conj(vectors[k - 1])) / (2 * std::numbers::pi);
    changes.push_back(static_cast<int>(std::lround(turns * 4)) & 3);
  }
  return changes;
}

int firstNonReversal(const std::vector<int>& changes) {
  const auto it = std::find_if(changes.begin(), changes.end(), [](int c) { return c != 2; });
  return it == changes.end() ? -1 : static_cast<int>(it - changes.begin());
}

std::string readBpsk(const std::vector<int>& changes) {
  VaricodeReader reader;
  std::string text;
  for (int change : changes)
    if (auto byte = reader.push(change == 0 ? 1 : 0)) text.push_back(static_cast<char>(*byte));
  return text;
}

}  // namespace quillary::psk::test

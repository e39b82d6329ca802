#include "RxTestSignals.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "psk/Transmitter.h"

namespace quillary::psk::test {

namespace {
uint32_t le32(const char* p) {
  return uint32_t(uint8_t(p[0])) | uint32_t(uint8_t(p[1])) << 8 | uint32_t(uint8_t(p[2])) << 16 |
         uint32_t(uint8_t(p[3])) << 24;
}
uint16_t le16(const char* p) { return uint16_t(uint8_t(p[0]) | uint8_t(p[1]) << 8); }
}  // namespace

std::string readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open " + path);
  return {std::istreambuf_iterator<char>(file), {}};
}

WavData readWav16(const std::string& path) {
  const std::string bytes = readFile(path);
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
    throw std::runtime_error(path + ": not a WAV file");
  WavData wav;
  int channels = 0, bits = 0;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::string id = bytes.substr(at, 4);
    const uint32_t size = le32(&bytes[at + 4]);
    const char* body = &bytes[at + 8];
    if (id == "fmt ") {
      channels = le16(body + 2);
      wav.sampleRate = static_cast<int>(le32(body + 4));
      bits = le16(body + 14);
    } else if (id == "data") {
      if (bits != 16 || channels < 1) throw std::runtime_error(path + ": not 16-bit PCM");
      const std::size_t frames = std::min<std::size_t>(size, bytes.size() - at - 8) / (2 * channels);
      for (std::size_t i = 0; i < frames; ++i)
        wav.samples.push_back(static_cast<int16_t>(le16(body + 2 * channels * i)) / 32768.0f);
      return wav;
    }
    at += 8 + size + (size & 1);
  }
  throw std::runtime_error(path + ": no data");
}

void addNoise(std::vector<float>& samples, double snrDb, unsigned seed) {
  double power = 0;
  std::size_t active = 0;
  for (float s : samples)
    if (s != 0.0f) {
      power += double(s) * s;
      ++active;
    }
  if (active == 0) return;
  power /= active;
  // Noise of power N over 0..4000 Hz puts N * 3000 / 4000 into 3 kHz.
  const double noisePower = power / std::pow(10.0, snrDb / 10) * 4000.0 / 3000.0;
  std::mt19937 random(seed);
  std::normal_distribution<double> gauss(0.0, std::sqrt(noisePower));
  for (float& s : samples) s = static_cast<float>(s + gauss(random));
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

std::vector<float> transmit(int modeCode, const std::string& text, double hz, double leadSeconds) {
  Transmitter transmitter;
  if (!transmitter.setFrequency(hz) || !transmitter.start(modeCode))
    throw std::runtime_error("transmitter refused the mode or frequency");
  transmitter.enqueue(text);
  transmitter.stop();
  std::vector<float> samples(static_cast<std::size_t>(leadSeconds * 8000), 0.0f);
  std::vector<float> block(1024);
  for (;;) {
    const auto events = transmitter.process(block.size(), block.data());
    samples.insert(samples.end(), block.begin(), block.end());
    if (events.turnedOff || !transmitter.on()) break;
  }
  return samples;
}

double characterErrorRate(const std::string& expected, const std::string& got) {
  std::vector<std::size_t> row(got.size() + 1), next(got.size() + 1);
  for (std::size_t j = 0; j <= got.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= expected.size(); ++i) {
    next[0] = i;
    for (std::size_t j = 1; j <= got.size(); ++j)
      next[j] = std::min({row[j] + 1, next[j - 1] + 1,
                          row[j - 1] + (expected[i - 1] == got[j - 1] ? 0 : 1)});
    std::swap(row, next);
  }
  return expected.empty() ? 0.0 : double(row[got.size()]) / expected.size();
}

}  // namespace quillary::psk::test

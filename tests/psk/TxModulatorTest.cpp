// The modulator checked sample by sample against the on-air shaping rule,
// with a reference written out here from the rules themselves.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "TxSignalProbe.h"
#include "psk/ConvolutionalEncoder.h"
#include "psk/PskMode.h"
#include "psk/SymbolMapper.h"
#include "psk/SymbolShaper.h"
#include "psk/Transmitter.h"
#include "psk/Varicode.h"

namespace quillary::psk {
namespace {

using cd = std::complex<double>;
constexpr double kPi = std::numbers::pi;

// The bits of a whole transmission: preamble of 0 bits, each byte's code and
// "00", then the postamble (1 bits for BPSK, 0 bits for QPSK).
std::vector<int> transmissionBits(const PskMode& mode, std::string_view text) {
  std::vector<int> bits(mode.preambleSymbols, 0);
  for (char c : text) {
    for (char b : varicodeOf(static_cast<uint8_t>(c))) bits.push_back(b == '1');
    bits.insert(bits.end(), {0, 0});
  }
  bits.insert(bits.end(), mode.preambleSymbols, mode.qpsk ? 0 : 1);
  return bits;
}

// Phase of every symbol in quarter turns. The first symbol is the carrier at
// phase 0; each later bit turns it (BPSK: 0 reverses; QPSK: 180 + 90 v).
std::vector<int> referencePhases(const PskMode& mode, const std::vector<int>& bits) {
  std::vector<int> phases{0};
  unsigned r = 0;
  for (std::size_t k = 0; k < bits.size(); ++k) {
    r = ((r << 1) | bits[k]) & 0x1F;
    if (k == 0) continue;
    int step;
    if (mode.qpsk) {
      const int s0 = __builtin_parity(r & 0x17), s1 = __builtin_parity(r & 0x19);
      step = 2 + 2 * s1 + s0;
    } else {
      step = bits[k] ? 0 : 2;
    }
    phases.push_back((phases.back() + step) & 3);
  }
  return phases;
}

double fadeIn(int n, int N) { return n < N / 2 ? std::pow(std::sin(kPi * n / N), 2) : 1.0; }

std::vector<double> referenceAudio(const std::vector<int>& phases, int N, double hz) {
  std::vector<double> audio;
  const auto vec = [](int q) { return std::polar(1.0, q * kPi / 2); };
  for (std::size_t k = 0; k < phases.size(); ++k) {
    const cd previous = vec(phases[k == 0 ? 0 : k - 1]), current = vec(phases[k]);
    for (int n = 0; n < N; ++n) {
      const double w = 0.5 + 0.5 * std::cos(kPi * n / N);
      cd base = w * previous + (1 - w) * current;
      if (k == 0) base *= fadeIn(n, N);
      if (k + 1 == phases.size()) base *= fadeIn(N - 1 - n, N);
      const double t = static_cast<double>(audio.size());
      audio.push_back((base * std::polar(1.0, 2 * kPi * hz * t / 8000)).real());
    }
  }
  return audio;
}

class EveryMode : public ::testing::TestWithParam<int> {};

TEST_P(EveryMode, TransmissionFollowsTheShapingRuleSampleBySample) {
  const PskMode mode = *modeFromCode(GetParam());
  EXPECT_EQ(mode.preambleSymbols * mode.samplesPerSymbol, 8192);  // 1.024 s
  const std::string text = "CQ de N0CALL\r\n";
  Transmitter tx;
  ASSERT_TRUE(tx.setFrequency(1234));
  ASSERT_TRUE(tx.start(mode.code));
  tx.enqueue(text);
  tx.stop();
  const auto run = test::runUntilOff(tx, 333);
  const auto expected = referenceAudio(referencePhases(mode, transmissionBits(mode, text)),
                                       mode.samplesPerSymbol, 1234);
  ASSERT_GE(run.audio.size(), expected.size());

  double xy = 0, yy = 0;
  for (std::size_t n = 0; n < expected.size(); ++n) {
    xy += run.audio[n] * expected[n];
    yy += expected[n] * expected[n];
  }
  const double amplitude = xy / yy;
  EXPECT_GT(amplitude, 0.5);
  double worst = 0, peak = 0;
  for (std::size_t n = 0; n < expected.size(); ++n) {
    worst = std::max(worst, std::abs(run.audio[n] - amplitude * expected[n]));
    peak = std::max(peak, std::abs(double(run.audio[n])));
  }
  EXPECT_LT(worst, 2e-4);
  EXPECT_LE(peak, 0.9);
  for (std::size_t n = expected.size(); n < run.audio.size(); ++n) ASSERT_EQ(run.audio[n], 0.0f) << n;
}

INSTANTIATE_TEST_SUITE_P(Modes, EveryMode, ::testing::Values(0, 1, 8, 9, 16, 17));

TEST(TxModulator, ReversalPassesThroughZeroAndSteadyPhaseIsACarrier) {
  SymbolShaper shaper(64);
  shaper.reset({1, 0});
  const std::complex<float> symbols[2] = {{-1, 0}, {-1, 0}};
  std::vector<std::complex<float>> out(128);
  shaper.process(2, symbols, out.data());
  for (int n = 0; n < 64; ++n) {
    EXPECT_NEAR(out[n].real(), std::cos(kPi * n / 64), 1e-6) << n;  // cosine through zero
    EXPECT_NEAR(out[64 + n].real(), -1.0, 1e-6) << n;               // steady
  }
  EXPECT_NEAR(std::abs(out[32]), 0.0, 1e-6);
  EXPECT_FALSE(shaper.setSamplesPerSymbol(1));
  EXPECT_FALSE(shaper.setSamplesPerSymbol(0));
  EXPECT_EQ(shaper.samplesPerSymbol(), 64);
}

TEST(TxModulator, FadesAreSineSquaredAndMirrorImages) {
  for (int n = 0; n < 128; ++n) {
    EXPECT_NEAR(fadeInGain(n, 256), std::pow(std::sin(kPi * n / 256), 2), 1e-6);
    EXPECT_FLOAT_EQ(fadeOutGain(255 - n, 256), fadeInGain(n, 256));
  }
  EXPECT_EQ(fadeInGain(0, 256), 0.0f);
  EXPECT_EQ(fadeOutGain(255, 256), 0.0f);
  EXPECT_EQ(fadeInGain(200, 256), 1.0f);
}

TEST(TxModulator, EncoderFollowsTheOnAirConvention) {
  // A lone 1 bit walks through the 5-bit register: r = 1, 2, 4, 8, 16, 0.
  // s0 = parity(r & 0x17), s1 = parity(r & 0x19), v = 2 s1 + s0.
  ConvolutionalEncoder encoder;
  std::vector<int> symbols;
  for (int bit : {1, 0, 0, 0, 0, 0, 0}) symbols.push_back(encoder.push(bit));
  EXPECT_EQ(symbols, (std::vector<int>{3, 1, 1, 2, 3, 0, 0}));
  // Phase changes 180 + 90 v: +90, -90, -90, 0, +90, 180; +90 is a turn by +j.
  SymbolMapper mapper(true);
  mapper.reset(0);
  std::vector<std::complex<float>> vectors;
  for (int bit : {1, 0, 0, 0, 0, 0}) vectors.push_back(mapper.push(bit));
  const std::vector<std::complex<float>> expected{{0, 1}, {1, 0}, {0, -1}, {0, -1}, {1, 0}, {-1, 0}};
  EXPECT_EQ(vectors, expected);
  encoder.reset();
  EXPECT_EQ(encoder.push(0), 0);
}

TEST(TxModulator, BpskMapperReversesOnZeroAndKeepsOnOne) {
  SymbolMapper mapper(false);
  mapper.reset(0);
  EXPECT_EQ(mapper.push(0), std::complex<float>(-1, 0));
  EXPECT_EQ(mapper.push(1), std::complex<float>(-1, 0));
  EXPECT_EQ(mapper.push(0), std::complex<float>(1, 0));
}

}  // namespace
}  // namespace quillary::psk

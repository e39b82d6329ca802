// The modulator against the on-air rules at telling points: reversals pass
// through zero on a cosine envelope, an unchanged phase is a steady carrier,
// sine-squared fades, 1.024 s of preamble and postamble, and the QPSK
// encoder's convention down to the sign of a quarter turn.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "../PskTestSignals.h"
#include "psk/PskMode.h"
#include "psk/tx/ConvolutionalEncoder.h"
#include "psk/tx/SymbolMapper.h"
#include "psk/tx/SymbolShaper.h"

namespace quillary::psk {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(TxModulator, ShaperCrossesZeroInAReversalAndHoldsAnUnchangedPhase) {
  SymbolShaper shaper(64);
  shaper.reset({1, 0});
  const std::complex<float> symbols[2] = {{-1, 0}, {-1, 0}};
  std::vector<std::complex<float>> out(128);
  shaper.process(2, symbols, out.data());
  for (int n : {0, 16, 32, 48, 63}) {
    EXPECT_NEAR(out[n].real(), std::cos(kPi * n / 64), 1e-6) << n;  // cosine through zero at n = 32
    EXPECT_NEAR(out[64 + n].real(), -1.0, 1e-6) << n;                // steady
  }
  EXPECT_FALSE(shaper.setSamplesPerSymbol(1));
  EXPECT_EQ(shaper.samplesPerSymbol(), 64);
  // Fades: sine squared over half a symbol, fade-out the mirror image.
  for (int n : {0, 32, 64, 100, 128, 200}) {
    EXPECT_NEAR(fadeInGain(n, 256), n < 128 ? std::pow(std::sin(kPi * n / 256), 2) : 1.0, 1e-6) << n;
    EXPECT_FLOAT_EQ(fadeOutGain(255 - n, 256), fadeInGain(n, 256)) << n;
  }
}

TEST(TxModulator, EncoderAndMappersFollowTheOnAirConvention) {
  // A lone 1 bit walks through the 5-bit register: r = 1, 2, 4, 8, 16, 0;
  // s0 = parity(r & 0x17), s1 = parity(r & 0x19), v = 2 s1 + s0.
  ConvolutionalEncoder encoder;
  std::vector<int> symbols;
  for (int bit : {1, 0, 0, 0, 0, 0, 0}) symbols.push_back(encoder.push(bit));
  EXPECT_EQ(symbols, (std::vector<int>{3, 1, 1, 2, 3, 0, 0}));
  // Phase changes 180 + 90 v: +90, -90, -90, 0, +90, 180; +90 is a turn by +j.
  SymbolMapper qpsk(true);
  qpsk.reset(0);
  std::vector<std::complex<float>> vectors;
  for (int bit : {1, 0, 0, 0, 0, 0}) vectors.push_back(qpsk.push(bit));
  EXPECT_EQ(vectors, (std::vector<std::complex<float>>{{0, 1}, {1, 0}, {0, -1}, {0, -1}, {1, 0}, {-1, 0}}));
  // BPSK: a 0 reverses, a 1 keeps the phase.
  SymbolMapper bpsk(false);
  bpsk.reset(0);
  EXPECT_EQ(bpsk.push(0), std::complex<float>(-1, 0));
  EXPECT_EQ(bpsk.push(1), std::complex<float>(-1, 0));
  EXPECT_EQ(bpsk.push(0), std::complex<float>(1, 0));
}

TEST(TxModulator, EveryModeKeysPreambleAndPostambleByTheRules) {
  for (int code : {0, 1, 8, 9, 16, 17}) {
    SCOPED_TRACE(code);
    const PskMode mode = *modeFromCode(code);
    const int N = mode.samplesPerSymbol;
    EXPECT_EQ(mode.preambleSymbols * N, 8192);  // 1.024 s
    Transmitter tx;
    ASSERT_TRUE(tx.start(code));
    tx.stop();  // nothing to send: preamble, then postamble
    const auto audio = test::runUntilOff(tx).audio;
    long last = -1;
    for (std::size_t n = 0; n < audio.size(); ++n)
      if (audio[n] != 0.0f) last = static_cast<long>(n);
    EXPECT_GT(last, 2 * 8192 - N);  // the fade-out ends inside the last symbol
    EXPECT_LT(last, 2 * 8192);
    const auto envelope = [&](long at) { return std::abs(test::mixDown(audio, 1500, at, 16)); };
    const double amplitude = envelope(4 * N);  // a symbol instant in the preamble
    EXPECT_GT(amplitude, 0.5);
    EXPECT_LE(amplitude, 0.9);
    // Fade-in: half amplitude a quarter into the first symbol.
    EXPECT_EQ(audio[0], 0.0f);
    EXPECT_NEAR(envelope(N / 4) / amplitude, 0.5, 0.06);
    // Preamble reversals: zero half-way, cos(45 degrees) a quarter in.
    for (int k = 2; k < mode.preambleSymbols - 1; k += 7) {
      EXPECT_LT(std::abs(audio[k * N + N / 2]), 1e-3) << k;
      EXPECT_NEAR(envelope(k * N + N / 4) / amplitude, std::cos(kPi / 4), 0.04) << k;
      EXPECT_NEAR(envelope(k * N) / amplitude, 1.0, 0.03) << k;
    }
    // Postamble: BPSK a steady carrier (1 bits), QPSK reversals (0 bits).
    for (int k = mode.preambleSymbols + 8; k < 2 * mode.preambleSymbols - 1; k += 5) {
      if (mode.qpsk)
        EXPECT_LT(std::abs(audio[k * N + N / 2]), 1e-3) << k;
      else
        EXPECT_NEAR(envelope(k * N + N / 2) / amplitude, 1.0, 0.03) << k;
      EXPECT_NEAR(envelope(k * N) / amplitude, 1.0, 0.03) << k;
    }
  }
}

}  // namespace
}  // namespace quillary::psk

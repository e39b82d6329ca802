// The modulator against the on-air rules at telling points: reversals pass
// through zero on a cosine envelope, an unchanged phase is a steady carrier,
// sine-squared fades, 1.024 s of preamble and postamble. The encoder's and
// mappers' convention is held to the peer recordings (TxPeerRecording).
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "../PskTestSignals.h"
#include "psk/PskMode.h"
#include "psk/tx/SymbolShaper.h"

namespace quillary::psk {
namespace {

constexpr double kPi = std::numbers::pi;

// The fades' shape, which the whole-transmission test below sees only at
// its ends: sine squared over half a symbol, fade-out the mirror image.
TEST(TxModulator, FadesAreSineSquaredOverHalfASymbolAndMirrorEachOther) {
  for (int n : {0, 32, 64, 100, 128, 200}) {
    EXPECT_NEAR(fadeInGain(n, 256), n < 128 ? std::pow(std::sin(kPi * n / 256), 2) : 1.0, 1e-6) << n;
    EXPECT_FLOAT_EQ(fadeOutGain(255 - n, 256), fadeInGain(n, 256)) << n;
  }
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

// The modulator against the on-air rules at telling points: reversals pass
// through zero on a cosine envelope, an unchanged phase is a steady carrier,
// sine-squared fades, 1.024 s of preamble and postamble. Clearing the queue
// does not cut a character short.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "../PskTestSignals.h"
#include "psk/PskMode.h"

namespace quillary::psk {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(TxModulator, EveryModeKeysPreambleAndPostambleByTheRules) {
  for (int code : {0, 1, 8, 9, 16, 17}) {
    SCOPED_TRACE(code);
    const PskMode mode = *modeFromCode(code);
    const int N = mode.samplesPerSymbol;
    Transmitter tx;
    ASSERT_TRUE(tx.start(code));
    tx.stop();  // nothing to send: preamble, then postamble
    const auto audio = test::runUntilOff(tx);
    // 1.024 s of preamble and of postamble; the fade-out ends inside the last symbol.
    const auto last = std::find_if(audio.rbegin(), audio.rend(), [](float x) { return x != 0.0f; }) - audio.rbegin();
    EXPECT_GT(static_cast<long>(audio.size()) - last, 2 * 8192 - N);
    EXPECT_LE(static_cast<long>(audio.size()) - last, 2 * 8192);
    const auto envelope = [&](long at) { return std::abs(test::mixDown(audio, 1500, at, 16)); };
    const double amplitude = envelope(4 * N);  // a symbol instant in the preamble
    EXPECT_GT(amplitude, 0.5);
    EXPECT_LE(amplitude, 0.9);
    // Fade-in: half amplitude a quarter into the first symbol.
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

TEST(Transmitter, ClearQueueDropsWhatHasNotBegunAndFinishesTheCurrentCharacter) {
  Transmitter tx;
  tx.start(0);
  tx.enqueue("abc");
  std::vector<float> audio(8192 + 256);  // preamble and the first bit of 'a'
  tx.process(audio.size(), audio.data());
  EXPECT_EQ(tx.charsRemaining(), 2u);
  tx.clearQueue();
  tx.enqueue("d");
  tx.stop();
  const auto rest = test::runUntilOff(tx);
  audio.insert(audio.end(), rest.begin(), rest.end());
  EXPECT_EQ(test::readBpsk(test::phaseChanges(audio, 1500, 256)), "ad");
}

}  // namespace
}  // namespace quillary::psk

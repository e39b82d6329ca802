// The modulator against the on-air rules at telling points (reversals pass
// through zero on a cosine envelope, an unchanged phase is a steady carrier,
// sine-squared fades, 1.024 s of preamble and postamble); clearing the queue
// does not cut a character short; the Morse keyer of the CW identification.
#include <algorithm>
#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <numbers>
#include <numeric>
#include <string>
#include <vector>

#include "../PskTestSignals.h"
#include "psk/PskMode.h"
#include "psk/tx/MorseKeyer.h"

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

std::vector<float> envelopeOf(MorseKeyer& keyer) {
  std::vector<float> envelope(100000);
  envelope.resize(keyer.process(envelope.size(), envelope.data()));
  return envelope;
}

// Lengths of the runs above and below half amplitude, first keyed to last keyed.
std::vector<std::size_t> runs(const std::vector<float>& envelope) {
  std::vector<std::size_t> lengths;
  bool keyed = false;
  for (float e : envelope) {
    if ((e > 0.5f) != keyed) lengths.push_back(0), keyed = !keyed;
    if (!lengths.empty()) ++lengths.back();
  }
  if (lengths.size() % 2 == 0 && !lengths.empty()) lengths.pop_back();
  return lengths;
}

TEST(TxMorse, KeysElementsAndSpacesAtTwentyWpmWithSoftEdges) {
  MorseKeyer keyer;  // 20 WPM: a dit is 60 ms, 480 samples
  keyer.load("#E t*~");  // unknown characters skipped, case ignored
  const auto envelope = envelopeOf(keyer);
  // e (.), word space, t (-), character space, SK (...-.-)
  const std::vector<std::size_t> expected{480, 3360, 1440, 1440, 480, 480, 480, 480,
                                          480, 480,  1440, 480,  480, 480, 1440};
  EXPECT_EQ(runs(envelope), expected);
  // A character space first, half a 40-sample edge either side, no step.
  EXPECT_EQ(envelope.size(), 1440 + 20 + std::accumulate(expected.begin(), expected.end(), 0u) + 20);
  float largestStep = 0;
  for (std::size_t n = 1; n < envelope.size(); ++n)
    largestStep = std::max(largestStep, std::abs(envelope[n] - envelope[n - 1]));
  EXPECT_LT(largestStep, 0.05f);
  EXPECT_LT(envelope.back(), 0.05f);
}

}  // namespace
}  // namespace quillary::psk

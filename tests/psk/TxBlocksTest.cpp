// The small transmit blocks on their own: oscillator and Morse keyer.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "psk/MorseKeyer.h"
#include "psk/Nco.h"

namespace quillary::psk {
namespace {

TEST(TxNco, KeepsItsPhaseOverAnHourAndRejectsBadFrequencies) {
  Nco nco;
  EXPECT_FALSE(nco.setFrequency(-1));
  EXPECT_FALSE(nco.setFrequency(4000));
  EXPECT_FALSE(nco.setFrequency(INFINITY));
  ASSERT_TRUE(nco.setFrequency(1234.567));
  const long long samples = 8000LL * 3600;
  std::vector<std::complex<float>> block(8000);
  for (long long done = 0; done < samples; done += 8000) nco.process(block.size(), block.data());
  // Exact phase after one hour: 1234.567 * 3600 turns, a whole number plus 0.2.
  const double expected = 0.2;
  double error = nco.phaseTurns() - expected;
  error -= std::round(error);
  EXPECT_LT(std::abs(error), 1e-6);
  // The last sample written sits one step before that phase.
  const double lastPhase = 2 * M_PI * (expected - 1234.567 / 8000);
  EXPECT_NEAR(block.back().real(), std::cos(lastPhase), 1e-5);
  EXPECT_NEAR(block.back().imag(), std::sin(lastPhase), 1e-5);
}

TEST(TxNco, StartsAtTheGivenPhase) {
  Nco nco;
  nco.setFrequency(2000);  // a quarter turn per sample
  nco.reset(0.0);
  const auto a = nco.next(), b = nco.next();
  EXPECT_NEAR(a.real(), 1.0, 1e-12);
  EXPECT_NEAR(b.imag(), 1.0, 1e-12);
}

std::vector<float> envelopeOf(MorseKeyer& keyer) {
  std::vector<float> envelope(100000);
  envelope.resize(keyer.process(envelope.size(), envelope.data()));
  return envelope;
}

// Lengths of the alternating runs above and below half amplitude, starting
// with the first keyed run.
std::vector<std::size_t> runs(const std::vector<float>& envelope) {
  std::vector<std::size_t> lengths;
  bool keyed = false;
  for (float e : envelope) {
    const bool now = e > 0.5f;
    if (now != keyed) {
      lengths.push_back(0);
      keyed = now;
    }
    if (!lengths.empty()) ++lengths.back();
  }
  if (lengths.size() % 2 == 0 && !lengths.empty()) lengths.pop_back();  // the tail of the last edge
  return lengths;
}

TEST(TxMorse, KeysElementsCharacterAndWordSpacesAtTwentyWpm) {
  MorseKeyer keyer;  // 20 WPM: a dit is 60 ms, 480 samples
  keyer.load("e t*");
  const auto envelope = envelopeOf(keyer);
  EXPECT_TRUE(keyer.done());
  // e (.), word space, t (-), character space, SK (...-.-)
  const std::vector<std::size_t> expected{480,  3360, 1440, 1440, 480, 480, 480, 480,
                                          480,  480,  1440, 480, 480, 480, 1440};
  EXPECT_EQ(runs(envelope), expected);
  // Starts after a character space, ends with the last falling edge.
  EXPECT_EQ(envelope.front(), 0.0f);
  EXPECT_LT(envelope.back(), 0.05f);
  // A character space before the first key-down, half an edge (20 samples)
  // on either side of the keyed time.
  std::size_t keyedAndGaps = 0;
  for (std::size_t length : expected) keyedAndGaps += length;
  EXPECT_EQ(envelope.size(), 1440 + 20 + keyedAndGaps + 20);
}

TEST(TxMorse, EdgesAreRaisedCosinesWithoutSteps) {
  MorseKeyer keyer;
  keyer.load("5");
  const auto envelope = envelopeOf(keyer);
  float largestStep = 0;
  for (std::size_t n = 1; n < envelope.size(); ++n)
    largestStep = std::max(largestStep, std::abs(envelope[n] - envelope[n - 1]));
  EXPECT_LT(largestStep, 0.05f);  // 40-sample edges
  EXPECT_GT(largestStep, 0.02f);
}

TEST(TxMorse, SkipsUnknownCharactersAndCollapsesBlanks) {
  MorseKeyer keyer;
  keyer.load("#a  \x01 b~");
  const auto withJunk = runs(envelopeOf(keyer));
  keyer.load("a b");
  EXPECT_EQ(withJunk, runs(envelopeOf(keyer)));
  keyer.load("  ");
  EXPECT_TRUE(keyer.done());
  keyer.load("ab");
  MorseKeyer upper;
  upper.load("AB");
  EXPECT_EQ(runs(envelopeOf(keyer)), runs(envelopeOf(upper)));
  EXPECT_EQ(morseOf('*'), "...-.-");
  EXPECT_EQ(morseOf('/'), "-..-.");
  EXPECT_EQ(morseOf('#'), "");
}

TEST(TxMorse, SettersRejectBadValues) {
  MorseKeyer keyer;
  EXPECT_FALSE(keyer.setWordsPerMinute(0));
  EXPECT_FALSE(keyer.setWordsPerMinute(100));
  EXPECT_FALSE(keyer.setEdgeSeconds(0));
  EXPECT_FALSE(keyer.setEdgeSeconds(0.05));
  EXPECT_TRUE(keyer.setWordsPerMinute(12));
  EXPECT_DOUBLE_EQ(keyer.ditSeconds(), 0.1);
  keyer.load("e");
  EXPECT_EQ(runs(envelopeOf(keyer)), std::vector<std::size_t>{800});
}

}  // namespace
}  // namespace quillary::psk

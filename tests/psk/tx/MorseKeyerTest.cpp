// The Morse keyer of the CW identification.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

#include "psk/tx/MorseKeyer.h"

namespace quillary::psk {
namespace {

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

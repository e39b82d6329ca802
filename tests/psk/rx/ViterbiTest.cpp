// The QPSK Viterbi decoder against an encoder written straight from the
// on-air convention: r = ((r << 1) | b) & 0x1F, s0 = parity(r & 0x17),
// s1 = parity(r & 0x19), v = 2 s1 + s0.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <random>
#include <vector>

#include "psk/rx/QpskViterbi.h"

namespace quillary::psk {
namespace {

using Metrics = std::array<float, 4>;

// `bits` and a flush of 32 zero bits, encoded.
std::vector<int> encode(const std::vector<int>& bits) {
  unsigned r = 0;
  std::vector<int> symbols;
  for (std::size_t k = 0; k < bits.size() + 32; ++k) {
    r = ((r << 1) | static_cast<unsigned>(k < bits.size() ? bits[k] : 0)) & 0x1Fu;
    symbols.push_back(2 * (std::popcount(r & 0x19u) & 1) + (std::popcount(r & 0x17u) & 1));
  }
  return symbols;
}

// Correlation of the received change with each symbol's ideal change
// (180 + 90 v degrees): 1 for a match, 0 at 90 degrees, -1 opposite.
Metrics metricsFor(int received) {
  Metrics metrics{};
  for (int v = 0; v < 4; ++v) {
    const int quarterTurns = ((received - v) % 4 + 4) % 4;
    metrics[v] = quarterTurns == 0 ? 1.0f : quarterTurns == 2 ? -1.0f : 0.0f;
  }
  return metrics;
}

std::vector<int> randomBits(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<int> bits(count);
  for (int& b : bits) b = static_cast<int>(random() & 1u);
  return bits;
}

std::vector<int> decode(QpskViterbi& viterbi, const std::vector<Metrics>& metrics, std::size_t from = 0) {
  std::vector<int> bits;
  for (std::size_t i = from; i < metrics.size(); ++i)
    if (auto bit = viterbi.process(metrics[i])) bits.push_back(*bit);
  return bits;
}

TEST(Viterbi, DecodesCleanSymbolsWithTheDepthAsDelayAndRejectsBadDepths) {
  QpskViterbi viterbi;
  EXPECT_FALSE(viterbi.create(4));
  EXPECT_FALSE(viterbi.create(65));
  ASSERT_TRUE(viterbi.create(24));
  EXPECT_FALSE(viterbi.create(0));
  EXPECT_EQ(viterbi.depth(), 24);
  const auto bits = randomBits(500, 1);
  std::vector<Metrics> metrics;
  for (int v : encode(bits)) metrics.push_back(metricsFor(v));
  auto decoded = decode(viterbi, metrics);
  ASSERT_EQ(decoded.size(), metrics.size() - 24);  // nothing for the first `depth` symbols
  decoded.resize(bits.size());
  EXPECT_EQ(decoded, bits);
}

TEST(Viterbi, CorrectsFlippedErasedAndDoubtfulSymbolsAndJoinsInTheMiddle) {
  const auto bits = randomBits(600, 2);
  const auto symbols = encode(bits);
  std::vector<Metrics> flipped, erased, doubtful;
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    const int v = symbols[i];
    flipped.push_back(metricsFor(i % 10 == 3 ? (v + 1) % 4 : v));     // one in ten turned by 90 degrees
    erased.push_back(i % 5 == 2 ? Metrics{} : metricsFor(v));         // one in five lost
    doubtful.push_back(metricsFor(v));
    if (i % 4 == 1) doubtful.back()[(v + 1) % 4] = 0.8f;              // the right one only a little ahead
  }
  for (const auto* input : {&flipped, &erased, &doubtful}) {
    QpskViterbi viterbi;
    ASSERT_TRUE(viterbi.create(24));
    auto decoded = decode(viterbi, *input);
    decoded.resize(bits.size());
    EXPECT_EQ(decoded, bits);
  }
  // Listening from symbol 100 on, at an arbitrary encoder state: after a
  // short settling the decisions are exact.
  QpskViterbi viterbi;
  ASSERT_TRUE(viterbi.create(24));
  const auto joined = decode(viterbi, doubtful, 100);
  ASSERT_GE(joined.size(), 300u);
  for (std::size_t i = 10; i < 300; ++i) ASSERT_EQ(joined[i], bits[100 + i]) << i;
}

}  // namespace
}  // namespace quillary::psk

// The QPSK Viterbi decoder against an encoder written straight from the
// on-air convention: r = ((r << 1) | b) & 0x1F, s0 = parity(r & 0x17),
// s1 = parity(r & 0x19), v = 2 s1 + s0.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "psk/QpskViterbi.h"

namespace quillary::psk {
namespace {

int parity(unsigned x) {
  int p = 0;
  for (; x; x >>= 1) p ^= static_cast<int>(x & 1u);
  return p;
}

std::vector<int> encode(const std::vector<int>& bits) {
  unsigned r = 0;
  std::vector<int> symbols;
  for (int b : bits) {
    r = ((r << 1) | static_cast<unsigned>(b)) & 0x1Fu;
    symbols.push_back(2 * parity(r & 0x19u) + parity(r & 0x17u));
  }
  return symbols;
}

// The correlation of the received phase change with each symbol's ideal
// change (180 + 90 v degrees): 1 for a match, 0 at 90 degrees, -1 opposite.
std::array<float, 4> metricsFor(int received) {
  std::array<float, 4> metrics{};
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

// Decodes the symbols followed by the flush of zero bits a transmission
// ends with; answers the first `count` decided bits.
std::vector<int> decode(QpskViterbi& viterbi, const std::vector<std::array<float, 4>>& metrics,
                        std::size_t count) {
  std::vector<int> bits;
  for (const auto& m : metrics)
    if (auto bit = viterbi.process(m)) bits.push_back(*bit);
  bits.resize(std::min(bits.size(), count));
  return bits;
}

std::vector<int> withFlush(std::vector<int> bits, int zeros = 32) {
  bits.insert(bits.end(), zeros, 0);
  return bits;
}

TEST(Viterbi, SymbolValuesFollowTheOnAirConvention) {
  EXPECT_EQ(qpskSymbolOf(0x00), 0);  // all zeros: a reversal, 180 degrees
  EXPECT_EQ(qpskSymbolOf(0x01), 3);  // s0 = s1 = 1
  EXPECT_EQ(qpskSymbolOf(0x02), 1);  // only 0x17 sees bit 1
  EXPECT_EQ(qpskSymbolOf(0x08), 2);  // only 0x19 sees bit 3
  for (unsigned r = 0; r < 32; ++r)
    EXPECT_EQ(qpskSymbolOf(r), 2 * parity(r & 0x19u) + parity(r & 0x17u)) << r;
}

TEST(Viterbi, RejectsDepthsOutsideItsRange) {
  QpskViterbi viterbi;
  EXPECT_FALSE(viterbi.create(4));
  EXPECT_FALSE(viterbi.create(65));
  ASSERT_TRUE(viterbi.create(20));
  EXPECT_EQ(viterbi.depth(), 20);
  EXPECT_FALSE(viterbi.create(0));
  EXPECT_EQ(viterbi.depth(), 20);
}

TEST(Viterbi, DecodesCleanSymbolsWithTheDepthAsDelay) {
  const auto bits = randomBits(500, 1);
  QpskViterbi viterbi;
  ASSERT_TRUE(viterbi.create(24));
  std::vector<std::array<float, 4>> metrics;
  for (int v : encode(withFlush(bits))) metrics.push_back(metricsFor(v));
  // Nothing comes out for the first `depth` symbols.
  for (int i = 0; i < 24; ++i) EXPECT_FALSE(viterbi.process(metrics[i]).has_value());
  viterbi.reset();
  EXPECT_EQ(decode(viterbi, metrics, bits.size()), bits);
}

TEST(Viterbi, CorrectsFlippedAndErasedSymbols) {
  const auto bits = randomBits(600, 2);
  const auto symbols = encode(withFlush(bits));
  std::vector<std::array<float, 4>> flipped, erased, mixed;
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    const int v = symbols[i];
    // One symbol in ten turned by 90 degrees (a hard error on one bit).
    flipped.push_back(metricsFor(i % 10 == 3 ? (v + 1) % 4 : v));
    // One symbol in five lost entirely: all branches equal.
    erased.push_back(i % 5 == 2 ? std::array<float, 4>{} : metricsFor(v));
    // Soft doubt: the right symbol only a little ahead of a wrong one.
    auto soft = metricsFor(v);
    if (i % 4 == 1) soft[(v + 1) % 4] = 0.8f;
    mixed.push_back(soft);
  }
  for (const auto* input : {&flipped, &erased, &mixed}) {
    QpskViterbi viterbi;
    ASSERT_TRUE(viterbi.create(24));
    EXPECT_EQ(decode(viterbi, *input, bits.size()), bits);
  }
}

TEST(Viterbi, JoinsATransmissionInTheMiddle) {
  // The receiver starts listening at an arbitrary encoder state.
  const auto bits = randomBits(400, 3);
  const auto symbols = encode(withFlush(bits));
  QpskViterbi viterbi;
  ASSERT_TRUE(viterbi.create(24));
  std::vector<int> decoded;
  for (std::size_t i = 100; i < symbols.size(); ++i)
    if (auto bit = viterbi.process(metricsFor(symbols[i]))) decoded.push_back(*bit);
  ASSERT_GE(decoded.size(), 300u);
  // After a short settling the decisions are exact.
  for (std::size_t i = 10; i < 300; ++i) EXPECT_EQ(decoded[i], bits[100 + i]) << i;
}

}  // namespace
}  // namespace quillary::psk

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "psk/Varicode.h"

namespace quillary::psk {
namespace {

std::vector<std::string> readDataFile() {
  std::ifstream file(QUILLARY_TEST_DATA "/varicode.txt");
  std::vector<std::string> codes(256);
  int value;
  std::string bits;
  while (file >> value >> bits) codes.at(value) = bits;
  return codes;
}

std::vector<int> bitsOf(std::string_view text) {
  std::vector<int> bits;
  for (char c : text) bits.push_back(c == '1');
  return bits;
}

std::string readAll(VaricodeReader& reader, const std::vector<int>& bits) {
  std::string bytes;
  for (int bit : bits)
    if (auto byte = reader.push(bit)) bytes.push_back(static_cast<char>(*byte));
  return bytes;
}

TEST(Varicode, TableEqualsTheDataFileAndNoCodeHoldsTwoZeros) {
  const auto codes = readDataFile();
  for (int byte = 0; byte < 256; ++byte) {
    ASSERT_FALSE(codes[byte].empty()) << "data file lacks " << byte;
    EXPECT_EQ(varicodeOf(static_cast<uint8_t>(byte)), codes[byte]) << byte;
    EXPECT_EQ(varicodeOf(static_cast<uint8_t>(byte)).find("00"), std::string_view::npos) << byte;
  }
  EXPECT_EQ(varicodeOf(' '), "1");
  EXPECT_EQ(varicodeOf('e'), "11");
}

TEST(Varicode, EveryByteRoundTripsWithIdleBetween) {
  std::vector<int> bits(7, 0);  // idle before the first character
  std::string sent;
  for (int byte = 0; byte < 256; ++byte) {
    sent.push_back(static_cast<char>(byte));
    for (int bit : bitsOf(varicodeOf(static_cast<uint8_t>(byte)))) bits.push_back(bit);
    bits.insert(bits.end(), 2 + byte % 5, 0);  // "00", sometimes more idle
  }
  VaricodeReader reader;
  EXPECT_EQ(readAll(reader, bits), sent);
}

TEST(Varicode, ReaderDropsUnknownAndOverlongCodesAndIgnoresIdle) {
  VaricodeReader reader;
  EXPECT_EQ(readAll(reader, std::vector<int>(40, 0)), "");
  // Thirteen 1 bits are longer than any code; the next character still reads.
  std::vector<int> bits(13, 1);
  for (int bit : {0, 0, 1, 1, 0, 0}) bits.push_back(bit);  // "11" is 'e'
  EXPECT_EQ(readAll(reader, bits), "e");
  // A long run broken by single zeros is no code either.
  EXPECT_EQ(readAll(reader, bitsOf("101010101010101010100")), "");
  // 101101011101 has the shape of a code but is none; 11111 is CR.
  for (int byte = 0; byte < 256; ++byte) ASSERT_NE(varicodeOf(static_cast<uint8_t>(byte)), "101101011101");
  EXPECT_EQ(readAll(reader, bitsOf("1011010111010011111000")), "\x0d");
}

TEST(Varicode, ResetForgetsAPartialCode) {
  VaricodeReader reader;
  readAll(reader, bitsOf("1011"));
  reader.reset();
  EXPECT_EQ(readAll(reader, bitsOf("1100")), "e");
}

}  // namespace
}  // namespace quillary::psk

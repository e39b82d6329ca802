#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "psk/Varicode.h"

namespace quillary::psk {
namespace {

std::string readAll(VaricodeReader& reader, std::string_view bits) {
  std::string bytes;
  for (char bit : bits)
    if (auto byte = reader.push(bit == '1')) bytes.push_back(static_cast<char>(*byte));
  return bytes;
}

TEST(Varicode, TableEqualsTheDataFileAndEveryByteRoundTrips) {
  std::ifstream file(QUILLARY_TEST_DATA "/varicode.txt");
  std::vector<std::string> codes(256);
  int value;
  std::string code;
  while (file >> value >> code) codes.at(value) = code;
  std::string bits(7, '0'), sent;  // idle before the first character
  for (int byte = 0; byte < 256; ++byte) {
    ASSERT_FALSE(codes[byte].empty()) << "data file lacks " << byte;
    EXPECT_EQ(varicodeOf(static_cast<uint8_t>(byte)), codes[byte]) << byte;
    EXPECT_EQ(codes[byte].find("00"), std::string::npos) << byte;
    sent.push_back(static_cast<char>(byte));
    bits += codes[byte] + std::string(2 + byte % 5, '0');  // "00", sometimes more idle
  }
  VaricodeReader reader;
  EXPECT_EQ(readAll(reader, bits), sent);
}

}  // namespace
}  // namespace quillary::psk

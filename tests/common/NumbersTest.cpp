#include "common/Numbers.h"
#include "common/Twips.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace quillary {
namespace {

TEST(Numbers, HalvesGoToTheEvenNeighbourAndInt16ChecksTheRangeAfterRounding) {
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(-3.5), -4);
  const std::pair<double, std::optional<int16_t>> narrowed[] = {
      {32766.5, 32766}, {32767.5, std::nullopt}, {-32769.0, std::nullopt}, {std::nan(""), std::nullopt}};
  for (const auto& [value, result] : narrowed) EXPECT_EQ(toInt16(value), result) << value;
  EXPECT_EQ(twipsToPixels(1440, 0), 96);  // no usable DPI: 96
}

TEST(Numbers, LeadingNumberTakesWhatLeadsParseNumberWantsTheWholeText) {
  const std::pair<const char*, double> leading[] = {{"  -1 Default", -1}, {"3.5abc", 3.5}, {"1e+", 1}, {"abc", 0}};
  for (const auto& [text, value] : leading) EXPECT_EQ(leadingNumber(text), value) << text;
  EXPECT_EQ(parseNumber(" 073 "), 73.0);
  for (const char* text : {"12 x", "", "nan", "1e999"}) EXPECT_EQ(parseNumber(text), std::nullopt) << text;
}

TEST(Numbers, PlainNumbersKeepSevenSignificantDigitsWithoutExponent) {
  const std::pair<double, const char*> plain[] = {
      {-0.0, "0"}, {12345678, "12345680"}, {0.1f, "0.1"}, {0.00001, "0.00001"}, {1e7, "10000000"}};
  for (const auto& [value, text] : plain) EXPECT_EQ(plainNumber(value), text) << value;
}

TEST(Numbers, ADecimalCommaLocaleChangesNeitherWritingNorReading) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr) << "no de_DE.UTF-8 locale: scripts/install-deps.sh makes it";
  const std::string written = plainNumber(5.5);
  const std::optional<double> parsed = parseNumber("5.5");
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_EQ(written, "5.5");
  EXPECT_EQ(parsed, 5.5);
}

}  // namespace
}  // namespace quillary

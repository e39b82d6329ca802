#include "common/Numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace quillary {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(roundHalfEven(2.5), 2.0);
  EXPECT_EQ(roundHalfEven(3.5), 4.0);
  EXPECT_EQ(roundHalfEven(-2.5), -2.0);
  EXPECT_EQ(roundHalfEven(-3.5), -4.0);
  EXPECT_EQ(roundHalfEven(0.5), 0.0);
  EXPECT_EQ(roundHalfEven(2.4999), 2.0);
  EXPECT_EQ(roundHalfEven(2.5001), 3.0);
  EXPECT_EQ(roundHalfEven(-0.6), -1.0);
}

TEST(ToInt16, RoundsThenChecksTheRange) {
  EXPECT_EQ(toInt16(32767.0), int16_t{32767});
  EXPECT_EQ(toInt16(-32768.0), int16_t{-32768});
  EXPECT_EQ(toInt16(32767.5), std::nullopt);  // rounds to 32768
  EXPECT_EQ(toInt16(32766.5), int16_t{32766});
  EXPECT_EQ(toInt16(-32768.5), int16_t{-32768});
  EXPECT_EQ(toInt16(-32769.0), std::nullopt);
  EXPECT_EQ(toInt16(40000.0), std::nullopt);
  EXPECT_EQ(toInt16(std::nan("")), std::nullopt);
  EXPECT_EQ(toInt16(std::numeric_limits<double>::infinity()), std::nullopt);
}

TEST(LeadingNumber, TakesTheLongestLeadingNumber) {
  EXPECT_EQ(leadingNumber("12 x"), 12.0);
  EXPECT_EQ(leadingNumber("3 x"), 3.0);
  EXPECT_EQ(leadingNumber("  -1 Default"), -1.0);
  EXPECT_EQ(leadingNumber("2.5"), 2.5);
  EXPECT_EQ(leadingNumber("3.5abc"), 3.5);
  EXPECT_EQ(leadingNumber(".5"), 0.5);
  EXPECT_EQ(leadingNumber("1e3"), 1000.0);
  EXPECT_EQ(leadingNumber("1e"), 1.0);
  EXPECT_EQ(leadingNumber("1e+"), 1.0);
  EXPECT_EQ(leadingNumber("abc"), 0.0);
  EXPECT_EQ(leadingNumber("-"), 0.0);
  EXPECT_EQ(leadingNumber("."), 0.0);
  EXPECT_EQ(leadingNumber(""), 0.0);
  EXPECT_EQ(leadingNumber("0x1F"), 0.0);
  EXPECT_EQ(leadingNumber("inf"), 0.0);
}

TEST(ParseNumber, WholeTextMustBeANumber) {
  EXPECT_EQ(parseNumber(" 073 "), 73.0);
  EXPECT_EQ(parseNumber("+5."), 5.0);
  EXPECT_EQ(parseNumber("-1.5E-2"), -0.015);
  EXPECT_EQ(parseNumber("12 x"), std::nullopt);
  EXPECT_EQ(parseNumber(""), std::nullopt);
  EXPECT_EQ(parseNumber("   "), std::nullopt);
  EXPECT_EQ(parseNumber("1e"), std::nullopt);
  EXPECT_EQ(parseNumber("nan"), std::nullopt);
  EXPECT_EQ(parseNumber("0x10"), std::nullopt);
  EXPECT_EQ(parseNumber("1e999"), std::nullopt);  // too large to hold
}

TEST(NumberStyles, SignedAndPadded) {
  EXPECT_EQ(signedStyle(12), " 12");
  EXPECT_EQ(signedStyle(0), " 0");
  EXPECT_EQ(signedStyle(-3), "-3");
  EXPECT_EQ(paddedStyle(12), " 12 ");
  EXPECT_EQ(paddedStyle(0), " 0 ");
  EXPECT_EQ(paddedStyle(-1), "-1 ");
}

TEST(PlainNumber, DecimalWithoutExponentOrSpareDigits) {
  EXPECT_EQ(plainNumber(1785), "1785");
  EXPECT_EQ(plainNumber(-120), "-120");
  EXPECT_EQ(plainNumber(10), "10");
  EXPECT_EQ(plainNumber(5.5), "5.5");
  EXPECT_EQ(plainNumber(0.25), "0.25");
  EXPECT_EQ(plainNumber(0), "0");
  EXPECT_EQ(plainNumber(-0.0), "0");
  EXPECT_EQ(plainNumber(30720), "30720");
  EXPECT_EQ(plainNumber(12345678), "12345680");  // seven significant digits
  EXPECT_EQ(plainNumber(0.1f), "0.1");          // a single-precision value
  EXPECT_EQ(plainNumber(0.00001), "0.00001");
  EXPECT_EQ(plainNumber(1e7), "10000000");
  EXPECT_EQ(plainNumber(1234.5678, 15), "1234.5678");
}

TEST(PlainNumber, IgnoresADecimalCommaLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = previous ? previous : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
    GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
  std::string written = plainNumber(5.5);
  std::optional<double> parsed = parseNumber("5.5");
  double leading = leadingNumber("2.5x");
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_EQ(written, "5.5");
  EXPECT_EQ(parsed, 5.5);
  EXPECT_EQ(leading, 2.5);
}

}  // namespace
}  // namespace quillary

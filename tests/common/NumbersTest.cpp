#include "common/Numbers.h"
#include "common/Twips.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace quillary {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbourAndInt16ChecksTheRangeAfterRounding) {
  const std::pair<double, double> rounded[] = {{2.5, 2},     {3.5, 4},       {-2.5, -2}, {-3.5, -4},
                                               {0.5, 0},     {2.4999, 2},    {2.5001, 3}, {-0.6, -1}};
  for (const auto& [value, result] : rounded) EXPECT_EQ(roundHalfEven(value), result) << value;

  const std::pair<double, std::optional<int16_t>> narrowed[] = {
      {32767.0, 32767},  {-32768.0, -32768}, {32767.5, std::nullopt}, {32766.5, 32766},
      {-32768.5, -32768}, {-32769.0, std::nullopt}, {std::nan(""), std::nullopt},
      {std::numeric_limits<double>::infinity(), std::nullopt}};
  for (const auto& [value, result] : narrowed) EXPECT_EQ(toInt16(value), result) << value;
}

TEST(LeadingNumber, TakesTheLongestLeadingNumberWhileParseNumberWantsTheWholeText) {
  const std::pair<const char*, double> leading[] = {
      {"12 x", 12},   {"  -1 Default", -1}, {"3.5abc", 3.5}, {".5", 0.5}, {"1e3", 1000}, {"1e+", 1},
      {"abc", 0},     {"-", 0},             {".", 0},        {"", 0},     {"0x1F", 0},   {"inf", 0}};
  for (const auto& [text, value] : leading) EXPECT_EQ(leadingNumber(text), value) << text;

  EXPECT_EQ(parseNumber(" 073 "), 73.0);
  EXPECT_EQ(parseNumber("+5."), 5.0);
  EXPECT_EQ(parseNumber("-1.5E-2"), -0.015);
  for (const char* text : {"12 x", "", "   ", "1e", "nan", "0x10", "1e999"}) {
    EXPECT_EQ(parseNumber(text), std::nullopt) << text;
  }
}

TEST(NumberStyles, PlainNumbersKeepSevenSignificantDigitsWithoutExponent) {
  const std::pair<double, const char*> plain[] = {
      {1785, "1785"}, {-120, "-120"}, {5.5, "5.5"},     {0, "0"},           {-0.0, "0"},
      {30720, "30720"}, {12345678, "12345680"} /* seven significant digits */,
      {0.1f, "0.1"} /* a single-precision value */,     {0.00001, "0.00001"}, {1e7, "10000000"}};
  for (const auto& [value, text] : plain) EXPECT_EQ(plainNumber(value), text) << value;
  EXPECT_EQ(plainNumber(1234.5678, 15), "1234.5678");
}

TEST(PlainNumber, IgnoresADecimalCommaLocale) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
  const std::string written = plainNumber(5.5);
  const std::optional<double> parsed = parseNumber("5.5");
  const double leading = leadingNumber("2.5x");
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_EQ(written, "5.5");
  EXPECT_EQ(parsed, 5.5);
  EXPECT_EQ(leading, 2.5);
}

TEST(Twips, FifteenPerPixelAt96DpiAndFollowingTheScreenDpi) {
  EXPECT_EQ(twipsToPixels(22), 1);  // 1.47 rounds to 1
  EXPECT_EQ(twipsToPixels(23), 2);  // 1.53 rounds to 2
  EXPECT_EQ(twipsToPixels(1440, 144), 144);
  EXPECT_DOUBLE_EQ(pixelsToTwips(144, 144), 1440.0);
  EXPECT_EQ(twipsToPixels(1440, 0), 96);  // no usable DPI: 96
}

}  // namespace
}  // namespace quillary

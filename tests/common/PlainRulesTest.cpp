// The plain rules every file and text of the program goes through: the
// code page, the field reader, the number styles.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>
#include <vector>

#include "common/CodePage.h"
#include "common/FieldReader.h"
#include "common/Numbers.h"
#include "common/Twips.h"

namespace quillary {
namespace {

TEST(CodePage, Cp1252HighBytesRoundTripUnmappableCharactersBecomeOneQuestionMarkEach) {
  const std::string undefined = "\x81\x8D\x8F\x90\x9D";
  for (int b = 0x80; b <= 0xFF; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string utf8 = fromCodePage(byte, CodePage::Cp1252);
    if (undefined.find(byte) != std::string::npos) {
      EXPECT_EQ(utf8, "?") << "byte " << b;
    } else {
      EXPECT_NE(utf8, "?") << "byte " << b;
      EXPECT_EQ(toCodePage(utf8, CodePage::Cp1252), byte) << "byte " << b;
      EXPECT_EQ(singleByteChar(static_cast<uint8_t>(b), CodePage::Cp1252), utf8);
    }
  }
  EXPECT_EQ(toCodePage("a\u65E5\u672Cb", CodePage::Cp1252), "a??b");
  EXPECT_EQ(toCodePage("x\xC3(y", CodePage::Cp1252), "x?(y");      // broken UTF-8
  EXPECT_EQ(toCodePage("end\xE6\x97", CodePage::Cp1252), "end?");  // cut off
}

TEST(CodePage, Cp932KanjiPairsAndSingleBytes) {
  // 0x93FA is the Kanji for "day", 0x967B for "book".
  EXPECT_EQ(toCodePage("\u65E5\u672C", CodePage::Cp932), "\x93\xFA\x96\x7B");
  EXPECT_EQ(fromCodePage("\x93\xFA\x96\x7B", CodePage::Cp932), "\u65E5\u672C");
  EXPECT_EQ(fromCodePage("\x93\rX", CodePage::Cp932), "?\rX");  // no trail byte
  EXPECT_EQ(fromCodePage("ok\x93", CodePage::Cp932), "ok?");    // lead at the end
  EXPECT_EQ(singleByteChar(0xB1, CodePage::Cp932), "\uFF71");   // half-width katakana A
}

using Fields = std::vector<std::string>;

TEST(FieldReader, SeparatorsBlanksQuotesAndEmptyLines) {
  const std::pair<const char*, Fields> cases[] = {
      {"a,b\r\nc\rd\ne", {"a", "b", "c", "d", "e"}},
      {"  my name  ,\tx", {"my name", "x"}},
      {"  \" x \" junk,next\r\n", {" x |q", "next"}},
      {"\"open, still\r\nhere", {"open, still\r\nhere|q"}},  // unclosed: runs to the end
      {"\r\n", {""}},  // an empty field, told apart from the end of the file
      {"", {}},
  };
  for (const auto& [bytes, expected] : cases) {
    FieldReader reader(bytes);
    Fields fields;
    Field field;
    while (!reader.atEnd()) {
      EXPECT_EQ(reader.next(field), FieldStatus::Ok);
      fields.push_back(field.quoted ? field.text + "|q" : field.text);
    }
    EXPECT_EQ(reader.next(field), FieldStatus::EndOfFile);
    EXPECT_EQ(fields, expected) << bytes;
  }
}

TEST(FieldNumber, UnquotedNumbersOnlyAndTheirPlainDecimalText) {
  EXPECT_EQ(fieldNumber({"-1.5e2", false}), -150.0);
  for (const Field& notANumber : {Field{"073", true}, Field{"12abc", false}, Field{"&H10", false}}) {
    EXPECT_EQ(fieldNumber(notANumber), std::nullopt) << notANumber.text;
  }
  const std::pair<Field, const char*> texts[] = {
      {{"073", false}, "73"}, {{"1e3", false}, "1000"}, {{"073", true}, "073"}, {{"N0CALL", false}, "N0CALL"}};
  for (const auto& [field, text] : texts) EXPECT_EQ(generalValueText(field), text) << field.text;
}

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

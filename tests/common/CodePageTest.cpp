#include "common/CodePage.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace quillary

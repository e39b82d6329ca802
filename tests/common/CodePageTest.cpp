#include "common/CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
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

TEST(CodePage, SystemCodePageFromEnvironment) {
  struct Case {
    const char *forced, *lcCtype, *lang;
    CodePage page;
  };
  const Case cases[] = {{"932", nullptr, "en_US.UTF-8", CodePage::Cp932},
                        {nullptr, nullptr, "ja_JP.UTF-8", CodePage::Cp932},
                        {nullptr, "de_DE.UTF-8", "ja_JP.UTF-8", CodePage::Cp1252},  // LC_CTYPE before LANG
                        {"437", nullptr, "ja_JP.UTF-8", CodePage::Cp932}};         // an unknown page: ignored
  const char* const names[] = {"QUILLARY_CODEPAGE", "LC_CTYPE", "LANG", "LC_ALL"};
  std::optional<std::string> saved[4];
  for (int i = 0; i < 4; ++i)
    if (const char* value = std::getenv(names[i])) saved[i] = value;
  unsetenv("LC_ALL");
  for (const Case& k : cases) {
    const char* values[] = {k.forced, k.lcCtype, k.lang};
    for (int i = 0; i < 3; ++i) values[i] ? setenv(names[i], values[i], 1) : unsetenv(names[i]);
    EXPECT_EQ(systemCodePage(), k.page) << (k.forced ? k.forced : "-") << " " << (k.lcCtype ? k.lcCtype : "-");
  }
  for (int i = 0; i < 4; ++i) saved[i] ? setenv(names[i], saved[i]->c_str(), 1) : unsetenv(names[i]);
}

}  // namespace
}  // namespace quillary

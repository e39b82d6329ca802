#include "common/CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace quillary {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_) setenv(name_, old_->c_str(), 1);
    else unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(CodePage, Cp1252HighBytesRoundTrip) {
  const std::string undefined = "\x81\x8D\x8F\x90\x9D";
  for (int b = 0x80; b <= 0xFF; ++b) {
    std::string byte(1, static_cast<char>(b));
    std::string utf8 = fromCodePage(byte, CodePage::Cp1252);
    if (undefined.find(byte) != std::string::npos) {
      EXPECT_EQ(utf8, "?") << "byte " << b;
    } else {
      EXPECT_NE(utf8, "?") << "byte " << b;
      EXPECT_EQ(toCodePage(utf8, CodePage::Cp1252), byte) << "byte " << b;
      EXPECT_EQ(singleByteChar(static_cast<uint8_t>(b), CodePage::Cp1252), utf8);
    }
  }
  EXPECT_EQ(fromCodePage("\x80", CodePage::Cp1252), "\u20AC");  // euro sign
  EXPECT_EQ(fromCodePage("caf\xE9", CodePage::Cp1252), "caf\u00E9");
}

TEST(CodePage, UnmappableCharactersBecomeOneQuestionMarkEach) {
  EXPECT_EQ(toCodePage("a\u65E5\u672Cb", CodePage::Cp1252), "a??b");
  EXPECT_EQ(toCodePage("x\xC3(y", CodePage::Cp1252), "x?(y");  // broken UTF-8
  EXPECT_EQ(toCodePage("end\xE6\x97", CodePage::Cp1252), "end?");  // cut off
  EXPECT_EQ(fromCodePage("a\x81" "b", CodePage::Cp1252), "a?b");
  const std::string longText(1000, 'x');
  EXPECT_EQ(toCodePage(longText + "\u65E5" + longText, CodePage::Cp1252), longText + "?" + longText);
}

TEST(CodePage, Cp932KanjiPairsAndSingleBytes) {
  // 0x93FA is the Kanji for "day", 0x967B for "book".
  EXPECT_EQ(shiftJisPair(0x93, 0xFA), "\u65E5");
  EXPECT_EQ(toCodePage("\u65E5\u672C", CodePage::Cp932), "\x93\xFA\x96\x7B");
  EXPECT_EQ(fromCodePage("\x93\xFA\x96\x7B", CodePage::Cp932), "\u65E5\u672C");
  EXPECT_EQ(shiftJisPair('A', 'B'), "A");
  EXPECT_EQ(shiftJisPair(0x93, 0x0D), "?");  // no trail byte
  EXPECT_EQ(fromCodePage("\x93\rX", CodePage::Cp932), "?\rX");
  EXPECT_EQ(fromCodePage("ok\x93", CodePage::Cp932), "ok?");  // lead at the end
  EXPECT_EQ(singleByteChar('A', CodePage::Cp932), "A");
  EXPECT_EQ(singleByteChar(0xB1, CodePage::Cp932), "\uFF71");  // half-width katakana A
  EXPECT_EQ(singleByteChar(0x93, CodePage::Cp932), "?");       // a lead byte alone
}

TEST(CodePage, SystemCodePageFromEnvironment) {
  {
    ScopedEnv forced("QUILLARY_CODEPAGE", "932");
    ScopedEnv lang("LANG", "en_US.UTF-8");
    EXPECT_EQ(systemCodePage(), CodePage::Cp932);
  }
  {
    ScopedEnv forced("QUILLARY_CODEPAGE", "1252");
    ScopedEnv all("LC_ALL", "ja_JP.UTF-8");
    EXPECT_EQ(systemCodePage(), CodePage::Cp1252);
  }
  ScopedEnv forced("QUILLARY_CODEPAGE", nullptr);
  ScopedEnv all("LC_ALL", nullptr);
  ScopedEnv ctype("LC_CTYPE", nullptr);
  {
    ScopedEnv lang("LANG", "ja_JP.UTF-8");
    EXPECT_EQ(systemCodePage(), CodePage::Cp932);
    ScopedEnv ctypeEn("LC_CTYPE", "de_DE.UTF-8");  // LC_CTYPE comes before LANG
    EXPECT_EQ(systemCodePage(), CodePage::Cp1252);
  }
  {
    ScopedEnv lang("LANG", "en_GB.UTF-8");
    ScopedEnv junk("QUILLARY_CODEPAGE", "437");  // not a page we know: ignored
    EXPECT_EQ(systemCodePage(), CodePage::Cp1252);
  }
}

}  // namespace
}  // namespace quillary

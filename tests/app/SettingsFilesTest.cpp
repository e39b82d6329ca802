// psk.ini and sound.ini: the bytes written and what reading gives back,
// including the files other programs or hands may have left.
#include "app/SettingsFiles.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace quillary {
namespace {

using testing::readBytes;

class SettingsFilesTest : public ::testing::Test {
 protected:
  std::filesystem::path write(const std::string& name, const std::string& bytes) {
    testing::writeBytes(temp_.path() / name, bytes);
    return temp_.path() / name;
  }
  PskIniRead readPsk(const std::string& bytes) { return readPskIni(write("psk.ini", bytes)); }

  testing::TempFolder temp_;
};

TEST_F(SettingsFilesTest, PskIniWritesTheExactBytesAndReadsThemBack) {
  const char* const bytes =
      "1785\r\n-120\r\n\"JA1ABC\"\r\n25\r\n\"50\"\r\n5085.5\r\n6165\r\n\"3\"\r\n\"1\"\r\n\"4\"\r\n";
  ASSERT_TRUE(writePskIni(temp_.path() / "psk.ini", {1785, -120, "JA1ABC", 25, "50", 5085.5, 6165, "3", "1", "4"}));
  EXPECT_EQ(readBytes(temp_.path() / "psk.ini"), bytes);

  const PskIniRead read = readPsk(std::string(bytes) + "garbage,\"more\"\r\n12\r\n");  // an eleventh line
  EXPECT_EQ(read.left, 0.0);                    // negative Left comes back at the edge
  EXPECT_EQ(read.savedWidth, int16_t{5086});  // 5085.5: halves to even
  EXPECT_EQ(read.commPort, "4");

  // A double quote cannot be held inside quotes: it is dropped; texts go
  // through the code page (E with acute is 0xC9 in CP1252).
  PskIniWrite values;
  values.ownCall = "N0\"CALL";
  values.commPort = "a,b";
  EXPECT_EQ(formatPskIni(values).substr(0, 16), "0\r\n0\r\n\"N0CALL\"\r\n");
  EXPECT_EQ(readPsk(formatPskIni(values)).commPort, "a,b");
  values.ownCall = "F5\u00C9T";
  EXPECT_NE(formatPskIni(values).find("\"F5\xC9T\""), std::string::npos);
  EXPECT_EQ(readPsk(formatPskIni(values)).ownCall, "F5\u00C9T");

  // A maximised window wider than the file takes back is saved at the
  // largest width, so the lines after it survive the next start.
  values.width = 40000;
  EXPECT_EQ(readPsk(formatPskIni(values)).savedWidth, int16_t{32767});
  EXPECT_EQ(readPsk(formatPskIni(values)).commPort, "a,b");
}

TEST_F(SettingsFilesTest, PskIniReadingStopsAtTheFirstLineThatDoesNotFit) {
  const PskIniRead three = readPsk("-5\r\n300\r\n\"DL1XYZ\"\r\n");
  EXPECT_EQ(three.top, 0.0);
  EXPECT_EQ(three.ownCall, "DL1XYZ");
  EXPECT_FALSE(three.squelch.has_value());

  const PskIniRead wide = readPsk("10\r\n20\r\n\"C\"\r\n7\r\n\"100\"\r\n40000\r\n6165\r\n\"5\"\r\n\"2\"\r\n\"3\"\r\n");
  EXPECT_EQ(wide.searchHalfWidth, "100");
  EXPECT_FALSE(wide.savedWidth.has_value());  // above 32767
  EXPECT_FALSE(wide.commPort.has_value());

  EXPECT_FALSE(readPsk("0\r\n0\r\n\"\"\r\n99999\r\n\"50\"\r\n").searchHalfWidth.has_value());
  const std::pair<const char*, int16_t> squelch[] = {{"0", 10} /* 0 restores 10 */, {"5", 5}, {"4.5", 4}};
  for (const auto& [line, value] : squelch) EXPECT_EQ(readPsk(std::string("0\r\n0\r\n\"\"\r\n") + line).squelch, value);
  // An unquoted number on a text line comes back in plain decimal.
  EXPECT_EQ(readPsk("0\r\n0\r\n\"\"\r\n5\r\n073\r\n").searchHalfWidth, "73");
  for (const char* bytes : {"abc\r\n20\r\n", "\"100\"\r\n", ""}) {
    EXPECT_FALSE(readPsk(bytes).top.has_value()) << bytes;  // a text where a number belongs
  }
  EXPECT_FALSE(readPskIni(temp_.path() / "none.ini").top.has_value());
  EXPECT_FALSE(readPskIni(temp_.path()).top.has_value());  // a folder
}

TEST_F(SettingsFilesTest, SoundIniWritingAndReading) {
  EXPECT_EQ(formatSoundIni(-1), "-1 \r\n");
  ASSERT_TRUE(writeSoundIni(temp_.path() / "sound.ini", 12));
  EXPECT_EQ(readBytes(temp_.path() / "sound.ini"), " 12 \r\n");
  const std::pair<const char*, std::optional<int16_t>> cases[] = {
      {" 2 \r\n", 2},     {"-1 \r\n", -1},        {"speakers\r\n", 0},       {"\r\n5\r\n", 0},
      {"2.5", 2},         {"", std::nullopt},     {"40000\r\n", std::nullopt}, {"-32769\r\n", std::nullopt}};
  for (const auto& [bytes, device] : cases) EXPECT_EQ(readSoundIni(write("sound.ini", bytes)), device) << bytes;
  EXPECT_EQ(readSoundIni(temp_.path() / "missing.ini"), std::nullopt);
}

}  // namespace
}  // namespace quillary

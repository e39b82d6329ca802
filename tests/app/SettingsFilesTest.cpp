// psk.ini and sound.ini: the bytes written and what reading gives back,
// including the files other programs or hands may have left.
#include "app/SettingsFiles.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace quillary {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::writeBytes;

class SettingsFilesTest : public ::testing::Test {
 protected:
  fs::path write(const std::string& name, const std::string& bytes) {
    writeBytes(temp_.path() / name, bytes);
    return temp_.path() / name;
  }
  PskIniRead readPsk(const std::string& bytes) { return readPskIni(write("psk.ini", bytes)); }

  testing::TempFolder temp_;
};

const char* const kFullPskIni =
    "1785\r\n-120\r\n\"JA1ABC\"\r\n25\r\n\"50\"\r\n5085.5\r\n6165\r\n\"3\"\r\n\"1\"\r\n\"4\"\r\n";

TEST_F(SettingsFilesTest, PskIniWritesTheExactBytesAndReadsThemBack) {
  const PskIniWrite values{1785, -120, "JA1ABC", 25, "50", 5085.5, 6165, "3", "1", "4"};
  ASSERT_TRUE(writePskIni(temp_.path() / "psk.ini", values));
  EXPECT_EQ(readBytes(temp_.path() / "psk.ini"), kFullPskIni);

  // Read back (the window's load test checks the rest): an eleventh line is ignored.
  PskIniRead read = readPsk(std::string(kFullPskIni) + "garbage,\"more\"\r\n12\r\n");
  EXPECT_EQ(read.left, 0.0);  // negative Left comes back at the edge
  EXPECT_EQ(read.savedWidth, int16_t{5086});  // 5085.5: halves to even
  EXPECT_EQ(read.commPort, "4");
}

TEST_F(SettingsFilesTest, PskIniReadingStopsAtTheFirstLineThatDoesNotFit) {
  PskIniRead three = readPsk("-5\r\n300\r\n\"DL1XYZ\"\r\n");
  EXPECT_EQ(three.top, 0.0);
  EXPECT_EQ(three.left, 300.0);
  EXPECT_EQ(three.ownCall, "DL1XYZ");
  EXPECT_FALSE(three.squelch.has_value());

  PskIniRead wide = readPsk("10\r\n20\r\n\"C\"\r\n7\r\n\"100\"\r\n40000\r\n6165\r\n\"5\"\r\n\"2\"\r\n\"3\"\r\n");
  EXPECT_EQ(wide.searchHalfWidth, "100");
  EXPECT_FALSE(wide.savedWidth.has_value());  // above 32767
  EXPECT_FALSE(wide.savedHeight.has_value());
  EXPECT_FALSE(wide.commPort.has_value());

  // So a window that wide is saved at the largest size the file takes back,
  // and the lines after it survive the next start.
  PskIniWrite maximised;
  maximised.width = 40000;
  maximised.commPort = "3";
  const PskIniRead back = readPsk(formatPskIni(maximised));
  EXPECT_EQ(back.savedWidth, int16_t{32767});
  EXPECT_EQ(back.commPort, "3");

  PskIniRead tooBig = readPsk("0\r\n0\r\n\"\"\r\n99999\r\n\"50\"\r\n");
  EXPECT_FALSE(tooBig.squelch.has_value());
  EXPECT_FALSE(tooBig.searchHalfWidth.has_value());

  for (const char* bytes : {"abc\r\n20\r\n", "\"100\"\r\n", ""}) {
    EXPECT_FALSE(readPsk(bytes).top.has_value()) << bytes;  // a text where a number belongs
  }
  EXPECT_FALSE(readPskIni(temp_.path() / "none.ini").top.has_value());
  EXPECT_FALSE(readPskIni(temp_.path()).top.has_value());  // a folder
}

TEST_F(SettingsFilesTest, PskIniSquelchAndTextLines) {
  EXPECT_EQ(readPsk("0\r\n0\r\n\"\"\r\n0\r\n").squelch, int16_t{10});  // 0 restores 10
  EXPECT_EQ(readPsk("0\r\n0\r\n\"\"\r\n5\r\n").squelch, int16_t{5});
  EXPECT_EQ(readPsk("0\r\n0\r\n\"\"\r\n4.5\r\n").squelch, int16_t{4});
  // An unquoted number on a text line comes back in plain decimal.
  EXPECT_EQ(readPsk("0\r\n0\r\n\"\"\r\n5\r\n073\r\n").searchHalfWidth, "73");

  PskIniWrite values;
  EXPECT_EQ(formatPskIni(values).substr(0, 10), "0\r\n0\r\n\"\"\r\n");
  EXPECT_EQ(readPsk(formatPskIni(values)).ownCall, "");
  // A double quote cannot be held inside quotes: it is dropped.
  values.ownCall = "N0\"CALL";
  values.commPort = "a,b";
  std::string bytes = formatPskIni(values);
  EXPECT_NE(bytes.find("\r\n\"N0CALL\"\r\n"), std::string::npos);
  EXPECT_EQ(readPsk(bytes).commPort, "a,b");
  // Texts go through the code page: E with acute is 0xC9 in CP1252.
  values.ownCall = "F5\u00C9T";
  bytes = formatPskIni(values);
  EXPECT_NE(bytes.find("\"F5\xC9T\""), std::string::npos);
  EXPECT_EQ(readPsk(bytes).ownCall, "F5\u00C9T");
}

TEST_F(SettingsFilesTest, SoundIniWritingAndReading) {
  EXPECT_EQ(formatSoundIni(0), " 0 \r\n");
  EXPECT_EQ(formatSoundIni(-1), "-1 \r\n");
  ASSERT_TRUE(writeSoundIni(temp_.path() / "sound.ini", 12));
  EXPECT_EQ(readBytes(temp_.path() / "sound.ini"), " 12 \r\n");
  const std::pair<const char*, std::optional<int16_t>> cases[] = {
      {" 2 \r\n", 2},     {"-1 \r\n", -1},        {"speakers\r\n", 0},       {"\r\n5\r\n", 0},
      {"2.5", 2},         {"", std::nullopt},     {"40000\r\n", std::nullopt}, {"-32769\r\n", std::nullopt}};
  for (const auto& [bytes, device] : cases) {
    EXPECT_EQ(readSoundIni(write("sound.ini", bytes)), device) << bytes;
  }
  EXPECT_EQ(readSoundIni(temp_.path() / "missing.ini"), std::nullopt);
}

}  // namespace
}  // namespace quillary

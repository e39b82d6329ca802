#include "app/SettingsFiles.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

#include <fstream>
#include <sstream>

namespace quillary {
namespace {

namespace fs = std::filesystem;

class SettingsFilesTest : public ::testing::Test {
 protected:

  fs::path write(const std::string& name, const std::string& bytes) {
    fs::path file = folder_ / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
  }
  std::string contents(const std::string& name) {
    std::ifstream in(folder_ / name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  PskIniRead readPsk(const std::string& bytes) { return readPskIni(write("psk.ini", bytes)); }

  testing::TempFolder temp_;
  const fs::path& folder_ = temp_.path();
};

const char* const kFullPskIni =
    "1785\r\n-120\r\n\"JA1ABC\"\r\n25\r\n\"50\"\r\n5085.5\r\n6165\r\n\"3\"\r\n\"1\"\r\n\"4\"\r\n";

TEST_F(SettingsFilesTest, PskIniWritesTheExactBytes) {
  PskIniWrite values;
  values.top = 1785;
  values.left = -120;
  values.ownCall = "JA1ABC";
  values.squelch = 25;
  values.searchHalfWidth = "50";
  values.width = 5085.5;
  values.height = 6165;
  values.smoothing = "3";
  values.bias = "1";
  values.commPort = "4";
  EXPECT_EQ(formatPskIni(values), kFullPskIni);
  ASSERT_TRUE(writePskIni(folder_ / "psk.ini", values));
  EXPECT_EQ(contents("psk.ini"), kFullPskIni);
}

TEST_F(SettingsFilesTest, PskIniReadsAllTenLines) {
  PskIniRead read = readPsk(kFullPskIni);
  EXPECT_EQ(read.top, 1785.0);
  EXPECT_EQ(read.left, 0.0);  // negative Left comes back at the edge
  EXPECT_EQ(read.ownCall, "JA1ABC");
  EXPECT_EQ(read.squelch, int16_t{25});
  EXPECT_EQ(read.searchHalfWidth, "50");
  EXPECT_EQ(read.savedWidth, int16_t{5086});  // 5085.5: halves to even
  EXPECT_EQ(read.savedHeight, int16_t{6165});
  EXPECT_EQ(read.smoothing, "3");
  EXPECT_EQ(read.bias, "1");
  EXPECT_EQ(read.commPort, "4");
}

TEST_F(SettingsFilesTest, PskIniWithThreeLinesRestoresOnlyThose) {
  PskIniRead read = readPsk("-5\r\n300\r\n\"DL1XYZ\"\r\n");
  EXPECT_EQ(read.top, 0.0);
  EXPECT_EQ(read.left, 300.0);
  EXPECT_EQ(read.ownCall, "DL1XYZ");
  EXPECT_FALSE(read.squelch.has_value());
  EXPECT_FALSE(read.commPort.has_value());
}

TEST_F(SettingsFilesTest, SquelchZeroRestoresTen) {
  EXPECT_EQ(readPsk("0\r\n0\r\n\"\"\r\n0\r\n").squelch, int16_t{10});
  EXPECT_EQ(readPsk("0\r\n0\r\n\"\"\r\n5\r\n").squelch, int16_t{5});
  EXPECT_EQ(readPsk("0\r\n0\r\n\"\"\r\n4.5\r\n").squelch, int16_t{4});
  PskIniRead tooBig = readPsk("0\r\n0\r\n\"\"\r\n99999\r\n\"50\"\r\n");
  EXPECT_FALSE(tooBig.squelch.has_value());
  EXPECT_FALSE(tooBig.searchHalfWidth.has_value());  // reading stopped
}

TEST_F(SettingsFilesTest, WidthAboveTheRangeStopsTheReading) {
  PskIniRead read =
      readPsk("10\r\n20\r\n\"C\"\r\n7\r\n\"100\"\r\n40000\r\n6165\r\n\"5\"\r\n\"2\"\r\n\"3\"\r\n");
  EXPECT_EQ(read.top, 10.0);
  EXPECT_EQ(read.squelch, int16_t{7});
  EXPECT_EQ(read.searchHalfWidth, "100");
  EXPECT_FALSE(read.savedWidth.has_value());
  EXPECT_FALSE(read.savedHeight.has_value());
  EXPECT_FALSE(read.smoothing.has_value());
  EXPECT_FALSE(read.bias.has_value());
  EXPECT_FALSE(read.commPort.has_value());
}

TEST_F(SettingsFilesTest, TextWhereANumberBelongsStopsTheReading) {
  PskIniRead read = readPsk("abc\r\n20\r\n");
  EXPECT_FALSE(read.top.has_value());
  EXPECT_FALSE(read.left.has_value());
  EXPECT_FALSE(readPsk("\"100\"\r\n").top.has_value());  // quoted: a text
}

TEST_F(SettingsFilesTest, EleventhLineIgnoredAndNumbersAsTexts) {
  std::string bytes = kFullPskIni;
  bytes.replace(bytes.find("\"50\""), 4, "073");  // unquoted number on a text line
  PskIniRead read = readPsk(bytes + "garbage,\"more\"\r\n12\r\n");
  EXPECT_EQ(read.searchHalfWidth, "73");
  EXPECT_EQ(read.commPort, "4");
}

TEST_F(SettingsFilesTest, MissingOrUnreadablePskIniRestoresNothing) {
  PskIniRead missing = readPskIni(folder_ / "none.ini");
  EXPECT_FALSE(missing.top.has_value());
  EXPECT_FALSE(missing.ownCall.has_value());
  EXPECT_FALSE(readPskIni(folder_).top.has_value());  // a folder
  EXPECT_FALSE(readPsk("").top.has_value());
}

TEST_F(SettingsFilesTest, CallSignQuotesAndEmptyCall) {
  PskIniWrite values;
  values.ownCall = "";
  std::string bytes = formatPskIni(values);
  EXPECT_EQ(bytes.substr(0, 10), "0\r\n0\r\n\"\"\r\n");
  PskIniRead read = readPsk(bytes);
  EXPECT_EQ(read.ownCall, "");
  EXPECT_EQ(read.squelch, int16_t{10});  // written 0, read back as 10

  values.ownCall = "N0\"CALL";
  values.commPort = "a,b";
  bytes = formatPskIni(values);
  EXPECT_NE(bytes.find("\r\n\"N0CALL\"\r\n"), std::string::npos);
  read = readPsk(bytes);
  EXPECT_EQ(read.ownCall, "N0CALL");
  EXPECT_EQ(read.commPort, "a,b");
}

TEST_F(SettingsFilesTest, PskIniTextsRoundTripThroughTheCodePage) {
  PskIniWrite values;
  values.ownCall = "F5\u00C9T";  // E with acute, held in CP1252 as 0xC9
  std::string bytes = formatPskIni(values);
  EXPECT_NE(bytes.find("\"F5\xC9T\""), std::string::npos);
  EXPECT_EQ(readPsk(bytes).ownCall, "F5\u00C9T");
}

TEST_F(SettingsFilesTest, SoundIniFormat) {
  EXPECT_EQ(formatSoundIni(0), " 0 \r\n");
  EXPECT_EQ(formatSoundIni(-1), "-1 \r\n");
  EXPECT_EQ(formatSoundIni(3), " 3 \r\n");
  ASSERT_TRUE(writeSoundIni(folder_ / "sound.ini", 12));
  EXPECT_EQ(contents("sound.ini"), " 12 \r\n");
  EXPECT_EQ(readSoundIni(folder_ / "sound.ini"), int16_t{12});
}

TEST_F(SettingsFilesTest, SoundIniReading) {
  EXPECT_EQ(readSoundIni(write("sound.ini", " 2 \r\n")), int16_t{2});
  EXPECT_EQ(readSoundIni(write("sound.ini", "-1 \r\n")), int16_t{-1});
  EXPECT_EQ(readSoundIni(write("sound.ini", "speakers\r\n")), int16_t{0});
  EXPECT_EQ(readSoundIni(write("sound.ini", "\r\n5\r\n")), int16_t{0});
  EXPECT_EQ(readSoundIni(write("sound.ini", "2.5")), int16_t{2});
  EXPECT_EQ(readSoundIni(write("sound.ini", "")), std::nullopt);
  EXPECT_EQ(readSoundIni(write("sound.ini", "40000\r\n")), std::nullopt);
  EXPECT_EQ(readSoundIni(write("sound.ini", "-32769\r\n")), std::nullopt);
  EXPECT_EQ(readSoundIni(folder_ / "missing.ini"), std::nullopt);
}

}  // namespace
}  // namespace quillary

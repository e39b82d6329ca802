// psk.ini and sound.ini: what the next start reads back from what we wrote,
// and from files other programs or hands may have left.
#include "app/SettingsFiles.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace quillary {
namespace {

class SettingsFilesTest : public ::testing::Test {
 protected:
  PskIniRead readPsk(const std::string& bytes) {
    testing::writeBytes(temp_.path() / "psk.ini", bytes);
    return readPskIni(temp_.path() / "psk.ini");
  }
  testing::TempFolder temp_;
};

TEST_F(SettingsFilesTest, PskIniTextsAndSizesComeBackAndReadingStopsAtTheFirstLineThatDoesNotFit) {
  const PskIniRead read = readPsk(
      "1785\r\n-120\r\n\"JA1ABC\"\r\n25\r\n\"50\"\r\n5085.5\r\n6165\r\n\"3\"\r\n\"1\"\r\n\"4\"\r\ngarbage,\"x\"\r\n");
  EXPECT_EQ(read.left, 0.0);
  EXPECT_EQ(read.savedWidth, int16_t{5086});
  EXPECT_EQ(read.commPort, "4");

  // A double quote cannot be held inside quotes; texts go through the code
  // page; a width beyond the file's range must not cost the lines after it.
  PskIniWrite values;
  values.ownCall = "F5\"\u00C9T";
  values.commPort = "a,b";
  values.width = 40000;
  const std::string bytes = formatPskIni(values);
  EXPECT_NE(bytes.find("\"F5\xC9T\""), std::string::npos);
  const PskIniRead back = readPsk(bytes);
  EXPECT_EQ(back.ownCall, "F5\u00C9T");
  EXPECT_EQ(back.savedWidth, int16_t{32767});
  EXPECT_EQ(back.commPort, "a,b");

  EXPECT_FALSE(readPsk("10\r\n20\r\n\"C\"\r\n7\r\n\"100\"\r\n40000\r\n").savedWidth.has_value());
  EXPECT_FALSE(readPskIni(temp_.path()).top.has_value());  // a folder
  EXPECT_EQ(formatSoundIni(-1), "-1 \r\n");
}

}  // namespace
}  // namespace quillary

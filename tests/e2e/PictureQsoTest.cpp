// A picture QSO between two windows on their own engines over a noisy band,
// the second 20 Hz off: CQ, the answer, PHOTO handed to the image program,
// report and 73; then both keep their files. (Sound cards whose clocks
// differ are the receiver's own tests.)
#include <filesystem>
#include <gtest/gtest.h>

#include "picture/PictureTexts.h"
#include "support/OnAirStation.h"
#include "psk/audio/InProcessChannel.h"

namespace quillary::testing {
namespace {

TEST(PictureQso, CqAnswerPhotoReportAnd73ThenBothKeepTheirFiles) {
  psk::InProcessChannel air(0.5, 2026);
  OnAirStation a(air.stationA()), b(air.stationB());
  const auto airUntilSent = [&air](OnAirStation& sender) {
    ASSERT_TRUE(pumpUntilTransmissionEnds(air, sender.form, 90)) << "the transmission did not end";
  };
  writeBytes(b.folder.path() / "name.txt", "N0CALL,Taro\r\n");
  writeBytes(b.folder.path() / "name.ini", (b.folder.path() / "name.txt").string() + "\r\n");
  a.show(20);
  b.show(20);
  a.readyToTransmit("N0CALL", "1600");
  b.readyToTransmit("JA1XYZ", "1620");

  a.press("Command4_10");  // CQ
  airUntilSent(a);
  ASSERT_TRUE(b.received().contains("CQ CQ CQ Picture de N0CALL N0CALL\nN0CALL CQ pse k k k\n"))
      << b.received().toStdString();

  doubleClickOnWord(*b.control<QPlainTextEdit>("Term"), "N0CALL");
  EXPECT_EQ(b.control<QLineEdit>("Text6")->text(), "Taro") << "the call taken, its name found in the log";
  b.press("Command4_4");  // TX: the over opens, the transmitter stays on
  QTest::keyClicks(b.control<QPlainTextEdit>("Text5"), "Hello Taro, pse send a picture");
  QTest::keyClick(b.control<QPlainTextEdit>("Text5"), Qt::Key_Return);
  b.press("Command4_5");  // RX
  airUntilSent(b);
  ASSERT_TRUE(a.received().contains("N0CALL de JA1XYZ\nHello Taro, pse send a picture\n\nN0CALL de JA1XYZ pse k k k"))
      << a.received().toStdString();

  doubleClickOnWord(*a.control<QPlainTextEdit>("Term"), "JA1XYZ");
  a.press("Command4_1");  // PHOTO
  airUntilSent(a);
  EXPECT_TRUE(b.received().endsWith("\n***** PHOTO COMMAND *****\n:N0CALL/PHOTO\n:N0CALL/PHOTO\n"
                                    "JA1XYZ de N0CALL pse k k k\n"))
      << b.received().toStdString();
  EXPECT_EQ(readBytes(b.folder.path() / "cmd_data.txt"),
            ":N0CALL/PHOTO\r\n" + signalReport(b.form.state().imd.best).toStdString() + " \r\n");
  EXPECT_FALSE(std::filesystem::exists(a.folder.path() / "cmd_data.txt")) << "nor from its own echo";

  b.press("Command4_3");  // GD COPY, and 73 queued behind it
  b.press("Command4_6");
  airUntilSent(b);
  const QString report = "GOOD COPY SNR=" + signalReport(b.form.state().imd.best) + "dB";
  EXPECT_TRUE(a.received().endsWith("N0CALL de JA1XYZ\n" + report +
                                    "\nN0CALL de JA1XYZ pse k k k\n\nN0CALL de JA1XYZ 73 tu sk sk\n"))
      << a.received().toStdString();

  a.form.close();
  b.form.close();
  EXPECT_NE(readBytes(a.folder.path() / "psk.ini").find("\"N0CALL\"\r\n20\r\n"), std::string::npos);
  EXPECT_NE(readBytes(b.folder.path() / "psk.ini").find("\"JA1XYZ\"\r\n20\r\n"), std::string::npos);
  EXPECT_EQ(readBytes(b.folder.path() / "name.txt"), "N0CALL,Taro\r\n");
  EXPECT_EQ(readBytes(b.folder.path() / "name.ini"), (b.folder.path() / "name.txt").string() + "\r\n");
  EXPECT_FALSE(std::filesystem::exists(a.folder.path() / "name.ini"));
}

}  // namespace
}  // namespace quillary::testing

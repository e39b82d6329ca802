// A whole picture QSO between two main windows, each on its own engine and
// in its own program folder, over a noisy band with the second station 20 Hz
// off and its sound card's clock 100 ppm fast: CQ, the answer with a typed
// line, the PHOTO command handed to the image program, the report and 73;
// then both close and keep what their operators left.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

#include "picture/PictureTexts.h"
#include "support/OnAirStation.h"
#include "support/OperatorInput.h"
#include "support/SimulatedAir.h"

namespace quillary::testing {
namespace {

class PictureQso : public ::testing::Test {
 protected:
  PictureQso() : air_(0.0, 100.0, 2026), a_(air_.stationA()), b_(air_.stationB()) {}

  // An operator ready to work: own call, transmit frequency, a squelch over
  // the band's noise, the transmit panel shown.
  void prepare(OnAirStation& station, const QString& call, const QString& transmitHz) {
    station.form.show();
    station.control<QScrollBar>("VScroll3")->setValue(99 - 20);
    QTest::mouseClick(station.control<QCheckBox>("Check3"), Qt::LeftButton);
    retype(station.control<QLineEdit>("Text4"), call);
    retype(station.control<QLineEdit>("txtTX"), transmitHz);
  }
  void press(OnAirStation& station, const char* button) {
    QTest::mouseClick(station.control<QPushButton>(button), Qt::LeftButton);
  }
  void airUntilSent(OnAirStation& sender) {
    ASSERT_TRUE(pumpUntilTransmissionEnds([this](std::size_t frames) { air_.pump(frames); }, sender.form, 90))
        << "the transmission did not end";
  }
  QString received(OnAirStation& station) { return station.control<QPlainTextEdit>("Term")->toPlainText(); }

  bool qtReady_ = (ensureQtApplication(), true);  // before any window
  SimulatedAir air_;
  OnAirStation a_;
  OnAirStation b_;
};

TEST_F(PictureQso, CqAnswerPhotoReportAnd73ThenBothKeepTheirFiles) {
  writeBytes(b_.folder.path() / "name.txt", "N0CALL,Taro\r\n");
  const std::string nameIni = (b_.folder.path() / "name.txt").string() + "\r\n";
  writeBytes(b_.folder.path() / "name.ini", nameIni);
  prepare(a_, "N0CALL", "1600");
  prepare(b_, "JA1XYZ", "1620");

  press(a_, "Command4_10");  // CQ
  airUntilSent(a_);
  ASSERT_TRUE(received(b_).contains("CQ CQ CQ Picture de N0CALL N0CALL\nN0CALL CQ pse k k k\n"))
      << received(b_).toStdString();

  doubleClickOnWord(*b_.control<QPlainTextEdit>("Term"), "N0CALL");
  EXPECT_EQ(b_.control<QLineEdit>("Text27")->text(), "N0CALL");
  EXPECT_EQ(b_.control<QLineEdit>("Text6")->text(), "Taro");
  press(b_, "Command4_4");  // TX: the over opens, the transmitter stays on
  QTest::keyClicks(b_.control<QPlainTextEdit>("Text5"), "Hello Taro, pse send a picture");
  QTest::keyClick(b_.control<QPlainTextEdit>("Text5"), Qt::Key_Return);
  press(b_, "Command4_5");  // RX
  airUntilSent(b_);
  ASSERT_TRUE(received(a_).contains("N0CALL de JA1XYZ\nHello Taro, pse send a picture\n\nN0CALL de JA1XYZ pse k k k"))
      << received(a_).toStdString();

  doubleClickOnWord(*a_.control<QPlainTextEdit>("Term"), "JA1XYZ");
  press(a_, "Command4_1");  // PHOTO
  airUntilSent(a_);
  EXPECT_EQ(readBytes(b_.folder.path() / "cmd_data.txt"),
            ":N0CALL/PHOTO\r\n" + signalReport(b_.form.state().imd.best).toStdString() + " \r\n");

  press(b_, "Command4_3");  // GD COPY, and 73 queued behind it
  press(b_, "Command4_6");
  airUntilSent(b_);
  const QString report = "GOOD COPY SNR=" + signalReport(b_.form.state().imd.best) + "dB";
  EXPECT_TRUE(received(a_).endsWith("N0CALL de JA1XYZ\n" + report +
                                    "\nN0CALL de JA1XYZ pse k k k\n\nN0CALL de JA1XYZ 73 tu sk sk\n"))
      << received(a_).toStdString();

  a_.form.close();
  b_.form.close();
  EXPECT_TRUE(readBytes(a_.folder.path() / "psk.ini").find("\"N0CALL\"\r\n20\r\n") != std::string::npos);
  EXPECT_TRUE(readBytes(b_.folder.path() / "psk.ini").find("\"JA1XYZ\"\r\n20\r\n") != std::string::npos);
  EXPECT_EQ(readBytes(b_.folder.path() / "name.ini"), nameIni);
  EXPECT_FALSE(std::filesystem::exists(a_.folder.path() / "name.ini"));
  EXPECT_EQ(readBytes(b_.folder.path() / "name.txt"), "N0CALL,Taro\r\n");
  for (const OnAirStation* station : {&a_, &b_}) {
    for (int k = 1; k <= 7; ++k) {
      EXPECT_EQ(readBytes(station->folder.path() / ("cmd" + std::to_string(k) + ".txt")), "");
    }
  }
}

}  // namespace
}  // namespace quillary::testing

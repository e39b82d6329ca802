// A picture QSO between two windows on their own engines over a noisy band,
// the second 20 Hz off with its card's clock 100 ppm fast: CQ, the answer,
// PHOTO handed to the image program, reports both ways and 73; both log the
// contact with a click on Log and Enter, and both keep their files.
#include <QDateTime>
#include <QDialog>
#include <filesystem>
#include <gtest/gtest.h>

#include "logbook/Adif.h"
#include "picture/PictureTexts.h"
#include "support/OnAirStation.h"
#include "support/SimulatedAir.h"

namespace quillary::testing {
namespace {

QString utcNow() { return QDateTime::currentDateTimeUtc().toString("yyyyMMddHHmmss"); }

// Log and Enter: the record the station's log gained, as bytes. Its times
// must lie between `contactStart` and now; they go into `expected`.
void logContact(OnAirStation& station, const QString& contactStart, std::string expected) {
  station.press("cmdLog");
  auto* form = station.form.findChild<QDialog*>("frmLogEntry");
  ASSERT_TRUE(form && form->isVisible());
  QTest::keyClick(form->focusWidget(), Qt::Key_Return);
  const std::vector<LogRecord> logged = readAdif(readBytes(station.folder.path() / "quillary.adi")).records;
  ASSERT_EQ(logged.size(), 1u);
  const LogRecord& record = logged[0];
  const std::string on = record.value("QSO_DATE") + record.value("TIME_ON");
  const std::string off = record.value("QSO_DATE_OFF") + record.value("TIME_OFF");
  EXPECT_TRUE(contactStart.toStdString() <= on && on <= off && off <= utcNow().toStdString()) << on << " " << off;
  for (const auto& [mark, value] : {std::pair{"<D>", record.value("QSO_DATE")}, {"<T>", record.value("TIME_ON")},
                                    {"<d>", record.value("QSO_DATE_OFF")}, {"<t>", record.value("TIME_OFF")}})
    expected.replace(expected.find(mark), 3, value);
  EXPECT_EQ(adifRecord(record), expected);
}

std::string sized(const char* field, const QString& value) {
  return "<" + std::string(field) + ":" + std::to_string(value.toUtf8().size()) + ">" + value.toStdString() + " ";
}

TEST(PictureQso, CqAnswerPhotoReportAnd73ThenBothKeepTheirFiles) {
  SimulatedAir air(0.0, 100.0, 2026);
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

  const QString start = utcNow();
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
  const QString bReport = signalReport(b.form.state().imd.best).trimmed();
  EXPECT_TRUE(a.received().endsWith("N0CALL de JA1XYZ\nGOOD COPY SNR=" + signalReport(b.form.state().imd.best) +
                                    "dB\nN0CALL de JA1XYZ pse k k k\n\nN0CALL de JA1XYZ 73 tu sk sk\n"))
      << a.received().toStdString();
  // The engine reads IMD only on a clean idle, which this noisy band never
  // gives; one reading, as the engine posts it, makes the two reports differ.
  a.form.post(kMsgImdReading, -23, 0);
  QCoreApplication::sendPostedEvents();
  const QString aReport = signalReport(a.form.state().imd.best).trimmed();
  ASSERT_NE(aReport, bReport);
  a.press("Command4_3");  // GD COPY back
  airUntilSent(a);

  a.form.state().radio = RadioReading{14'070'000, "USB"};  // a rig on CAT, as its reader fills it
  logContact(a, start,
             "<CALL:6>JA1XYZ <QSO_DATE:8><D> <TIME_ON:6><T> <QSO_DATE_OFF:8><d> <TIME_OFF:6><t> <MODE:3>PSK "
             "<SUBMODE:5>PSK31 <FREQ:9>14.071600 <BAND:3>20m " + sized("RST_SENT", aReport) +
             sized("RST_RCVD", bReport) + "<STATION_CALLSIGN:6>N0CALL "
             "<COMMENT:18>sent :N0CALL/PHOTO <EOR>\r\n");
  logContact(b, start,
             "<CALL:6>N0CALL <QSO_DATE:8><D> <TIME_ON:6><T> <QSO_DATE_OFF:8><d> <TIME_OFF:6><t> <MODE:3>PSK "
             "<SUBMODE:5>PSK31 " + sized("RST_SENT", bReport) + sized("RST_RCVD", aReport) +
             "<NAME:4>Taro <STATION_CALLSIGN:6>JA1XYZ <COMMENT:22>received :N0CALL/PHOTO <EOR>\r\n");

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

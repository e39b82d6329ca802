// Main windows on real engines, on one band: a picture QSO between two;
// the search finding another engine's station; a sound card pulled while
// transmitting; the Simulator playing another program's PHOTO command.
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

#include "app/Form1.h"
#include "logbook/Adif.h"
#include "picture/PictureTexts.h"
#include "psk/PskModem.h"
#include "psk/audio/InProcessChannel.h"
#include "support/FakeDialogs.h"
#include "support/GuiTest.h"
#include "support/OnAirStation.h"
#include "window/Form1Controls.h"

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

// A picture QSO between two windows on their own engines over a noisy band,
// the second 20 Hz off: CQ, the answer, PHOTO handed to the image program,
// reports both ways and 73; both log the contact with a click on Log and
// Enter, and both keep their files. (Sound cards whose clocks differ are the
// receiver's own tests.)
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

// The signal search of the main window on the real engine: it finds another
// engine's station near the preset, holds it while it sends, and lets go
// when the band is quiet again (the engine's level against the squelch).
TEST(ReceiveOnAir, TheSearchFindsAStationNearThePresetHoldsItAndLetsGoWhenTheBandIsQuiet) {
  psk::InProcessChannel band(0.01, 11);
  OnAirStation ours(band.stationA());
  psk::test::RecordingWindow theirWindow;  // outlives the engine posting to it
  psk::test::PumpedDevices theirDevices({&band.stationB()});
  psk::PskEngine theirs(theirDevices);
  // Audio for `seconds`, Timer1 ticking once a second of it.
  const auto pump = [&](double seconds) {
    auto* timer1 = ours.control<QTimer>("Timer1");
    for (int second = 0; second < seconds; ++second) {
      pumpUntil(band, [] { return false; }, 1.0);
      if (timer1->isActive()) QMetaObject::invokeMethod(timer1, "timeout");
    }
  };
  ours.show();
  QTest::mouseClick(ours.control<QCheckBox>("Check2"), Qt::LeftButton);  // "Search", around 1600
  pump(2);
  EXPECT_EQ(ours.form.state().searchState, 2) << "hunting on a quiet band";

  ASSERT_EQ(theirs.fnStartSoundCard(&theirWindow, 0, 1), 0);
  theirs.fnSetTXFrequency(1580);
  theirs.fnStartTX(kModeBpsk31);
  theirs.fnSendTXString("CQ CQ CQ de N0CALL\r\n:N0CALL/PHOTO\r\n");
  theirs.fnStopTX();
  pump(4);
  EXPECT_NEAR(ours.engine.fnGetRXFrequency(0), 1580, 4);
  EXPECT_EQ(ours.form.state().searchState, 1) << "the search holds the signal it found";

  pump(20);  // the rest of the transmission, and a quiet band again
  ASSERT_EQ(theirWindow.transmitStates(), (std::vector<int32_t>{1, 0}));
  EXPECT_EQ(ours.control<QLineEdit>("Text3")->text(), ":N0CALL/PHOTO");
  EXPECT_EQ(ours.form.state().searchState, 2) << "with the band quiet again the search lets go and hunts";
}

// A sound card pulled in the middle of a transmission, with the main window
// on the real engine: the window hears that the transmitter is off, PTT is
// released, the window keeps working, and the next start transmits again.
void startPhoto(Form1& form) {
  Form1Controls& c = form.controls();
  QTest::mouseClick(c.Check3, Qt::LeftButton);
  typeInto(c.Combo5, "1");
  QTest::mouseClick(c.Command3, Qt::LeftButton);
  QTest::keyClicks(c.Text4, "N0CALL");
  QTest::mouseClick(c.Command4[1], Qt::LeftButton);
}

TEST(DeviceLoss, ACardPulledWhileTransmittingUnkeysAndTheNextStartTransmitsAgain) {
  psk::PumpedAudio device;
  auto ptt = std::make_shared<psk::test::PttLog>();
  OnAirStation station(device, psk::test::fakePttOptions(ptt, {"/dev/ttyUSB0"}));
  Form1& form = station.form;
  form.show();
  startPhoto(form);
  ASSERT_TRUE(pumpUntil(device, [&] { return form.state().transmitterOn == 1; }));
  ASSERT_TRUE(ptt->keyed);

  device.loseDevice();
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(form.state().transmitterOn, 0);
  EXPECT_FALSE(ptt->keyed);

  QTest::keyClicks(form.controls().Text5, "TEST");
  QTest::mouseClick(form.controls().Command4_10, Qt::LeftButton);  // CQ
  QCoreApplication::processEvents();
  EXPECT_FALSE(ptt->keyed) << "nothing keys on a card that is gone";
  EXPECT_TRUE(station.dialogs.shown.empty());
  form.close();

  // The next start (after "Set Sound", or the program started again).
  ptt->events.clear();
  Form1 again(station.engine, station.dialogs, station.station, station.folder.path(), 0);
  again.show();
  startPhoto(again);
  ASSERT_TRUE(pumpUntilTransmissionEnds(device, again));
  EXPECT_EQ(std::ranges::count(ptt->events, "key"), 1) << "keyed for the second transmission";
  EXPECT_FALSE(ptt->keyed);
}

// The main window on the Simulator device plays another program's recording
// of a PHOTO command and hands the command line to the image program.
TEST(PictureCommandOnAir, OnTheSimulatorAnotherProgramsPhotoCommandReachesTheImageProgram) {
  testing::ensureQtApplication();
  const std::string recording = std::string(QUILLARY_TEST_DATA) + "/peer/BPSK31_1500_photo.wav";
  setenv("QUILLARY_SIM_INPUT", recording.c_str(), 1);
  psk::PskModem modem = psk::makePskModem();
  unsetenv("QUILLARY_SIM_INPUT");
  const int simulator = static_cast<int>(modem.devices->devices().size()) - 1;
  ASSERT_EQ(modem.devices->devices()[simulator].name, psk::AudioDeviceList::kSimulatorName);

  testing::FakeDialogs dialogs;
  testing::TempFolder folder;
  Form1 form(*modem.engine, dialogs, *modem.station, folder.path(), static_cast<int16_t>(simulator));
  form.show();
  // The recording's station is at 1500 Hz, where a double click tunes.
  QTest::mouseDClick(form.findChild<QLineEdit*>("txtRec"), Qt::LeftButton);

  // The Simulator plays in real time: about 27 s until the command is in.
  const std::filesystem::path commandFile = folder.path() / "cmd_data.txt";
  QElapsedTimer waited;
  waited.start();
  while (!std::filesystem::exists(commandFile) && waited.elapsed() < 60000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
  // The command line, then the best IMD reading in the padded style.
  const QString written = QString::fromStdString(testing::readBytes(commandFile));
  EXPECT_TRUE(QRegularExpression("^:N0CALL/PHOTO\r\n(-\\d+| \\d+) \r\n$").match(written).hasMatch())
      << written.toStdString() << "\nreceived: "
      << form.findChild<QPlainTextEdit*>("Term")->toPlainText().toStdString();
}

}  // namespace
}  // namespace quillary::testing

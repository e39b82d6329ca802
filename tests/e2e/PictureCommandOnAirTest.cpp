// The main window on the Simulator device plays another program's recording
// of a PHOTO command and hands the command line to the image program.
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

#include "app/Form1.h"
#include "psk/PskModem.h"
#include "support/FakeDialogs.h"
#include "support/GuiTest.h"

namespace quillary {
namespace {

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
}  // namespace quillary

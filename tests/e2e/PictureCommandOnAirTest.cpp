// A picture command on the air: the PHOTO button of one main window keys its
// engine, the other station's engine decodes the text, and its main window
// hands the command line to the image program in cmd_data.txt. Also the
// program on the Simulator device, playing another program's recording of a
// PHOTO command.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "app/Form1.h"
#include "psk/audio/InProcessChannel.h"
#include "psk/PskEngine.h"
#include "psk/PskModem.h"
#include "support/OnAirStation.h"

namespace quillary {
namespace {

using psk::InProcessChannel;
const char* const kPhotoText =
    "\r\n***** PHOTO COMMAND *****\r\n:N0CALL/PHOTO\r\n:N0CALL/PHOTO\r\nALL de N0CALL pse k k k\r\n";
// The command line, then the best IMD reading in the padded style.
const QRegularExpression kCommandFile(QStringLiteral("^:N0CALL/PHOTO\r\n(-\\d+| \\d+) \r\n$"));

QString commandFileText(const std::filesystem::path& folder) {
  return QString::fromStdString(testing::readBytes(folder / "cmd_data.txt"));
}

using Station = testing::OnAirStation;

TEST(PictureCommandOnAir, PhotoButtonOnOneWindowIsHandedOverByTheOther) {
  testing::ensureQtApplication();
  InProcessChannel band(0.01, 7);
  Station sender(band.stationA());
  Station receiver(band.stationB());
  sender.form.show();
  receiver.form.show();
  // The receiver keeps the band's noise under its squelch.
  receiver.control<QScrollBar>("VScroll3")->setValue(99 - 30);

  QTest::mouseClick(sender.control<QCheckBox>("Check3"), Qt::LeftButton);
  sender.form.setWidthTwips(7000);
  QTest::keyClicks(sender.control<QLineEdit>("Text4"), "N0CALL");
  // Both on the preset 1600 Hz: the sender's preset choice moves its
  // transmit frequency there.
  auto* preset = sender.control<QComboBox>("Combo6");
  preset->setCurrentIndex(preset->findText("1600"));
  emit preset->activated(preset->currentIndex());
  QTest::mouseClick(sender.control<QPushButton>("Command4_1"), Qt::LeftButton);

  ASSERT_TRUE(testing::pumpUntilTransmissionEnds(band, sender.form)) << "the transmission did not end";
  EXPECT_EQ(sender.control<QPlainTextEdit>("Text5")->toPlainText(), "")
      << "the transmit box empties when the transmitter drops";

  // The receive area shows a line end as one break; the text is exact.
  QString shown = QString::fromLatin1(kPhotoText);
  shown.replace("\r\n", "\n");
  EXPECT_EQ(receiver.control<QPlainTextEdit>("Term")->toPlainText(), "Card Opened " + shown);
  EXPECT_TRUE(kCommandFile.match(commandFileText(receiver.folder.path())).hasMatch())
      << commandFileText(receiver.folder.path()).toStdString();
  EXPECT_FALSE(std::filesystem::exists(sender.folder.path() / "cmd_data.txt"));
  sender.form.close();
  receiver.form.close();
}

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
  Form1 form(*modem.engine, dialogs, folder.path(), static_cast<int16_t>(simulator));
  form.show();
  ASSERT_EQ(form.findChild<QPlainTextEdit*>("Term")->toPlainText(), "Card Opened ");
  // The recording's station calls at 1500 Hz: a double click on the receive
  // frequency tunes there.
  QTest::mouseDClick(form.findChild<QLineEdit*>("txtRec"), Qt::LeftButton);

  // The Simulator plays in real time: about 27 s until the command is in.
  QElapsedTimer waited;
  waited.start();
  while (!std::filesystem::exists(folder.path() / "cmd_data.txt") && waited.elapsed() < 60000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
  }
  form.close();
  EXPECT_TRUE(kCommandFile.match(commandFileText(folder.path())).hasMatch())
      << commandFileText(folder.path()).toStdString() << "\nreceived: "
      << form.findChild<QPlainTextEdit*>("Term")->toPlainText().toStdString();
}

}  // namespace
}  // namespace quillary

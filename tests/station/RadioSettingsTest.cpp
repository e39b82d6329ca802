// radio.ini and the "Radio" dialog: what is written comes back, anything
// else keys by serial port as before and is left as it was; the operator
// sets CAT up in the dialog, tests it and cancels, or keeps it in radio.ini.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "station/RadioIni.h"
#include "support/FileFaults.h"
#include "support/Form1Harness.h"

namespace quillary::testing {
namespace {

const RadioSettings kIcom{PttMethod::Cat, 3073, "/dev/ttyUSB0", 19200};

TEST(RadioIni, WhatIsWrittenComesBackAndAnythingElseKeysBySerialPort) {
  TempFolder folder;
  const auto file = folder.path() / "radio.ini";
  EXPECT_EQ(formatRadioIni(kIcom), "\"CAT\"\r\n3073\r\n\"/dev/ttyUSB0\"\r\n19200\r\n");
  for (const RadioSettings& settings :
       {kIcom, RadioSettings{PttMethod::Vox, 2, "", 0}, RadioSettings{PttMethod::Cat, 2, "shack:4532", 0}}) {
    writeBytes(file, formatRadioIni(settings));
    const RadioIniRead read = readRadioIni(file);
    EXPECT_EQ(read.settings, settings) << formatRadioIni(settings);
    EXPECT_EQ(read.problem, "");
  }
  writeBytes(file, "\"VOX\"\r\n1\r\n\"\"\r\n0\r\n\"what a later version adds\"\r\n");
  EXPECT_EQ(readRadioIni(file).settings.method, PttMethod::Vox);

  const std::pair<std::string, const char*> refused[] = {
      {"", "ends before"},
      {"\"CAT\"\r\n3073\r\n", "ends before"},
      {"\"RADIO\"\r\n1\r\n\"x\"\r\n0\r\n", "line 1"},
      {"\"CAT\"\r\n73.5\r\n\"x\"\r\n0\r\n", "line 2"},
      {"\"CAT\"\r\n2\r\n\"h:1\"\r\n-9600\r\n", "line 4"},
      {std::string("\x7f\x45\x4c\x46\x02\x01\x01\x00\xff\xfe,\r\n\"", 14), "ends before"}};
  for (const auto& [bytes, reason] : refused) {
    writeBytes(file, bytes);
    const RadioIniRead read = readRadioIni(file);
    EXPECT_EQ(read.settings, RadioSettings{}) << bytes;
    EXPECT_EQ(read.settings.method, PttMethod::Serial);
    EXPECT_NE(read.problem.find(reason), std::string::npos) << reason << ": " << read.problem;
  }
  std::filesystem::remove(file);
  EXPECT_FALSE(readRadioIni(file).found);
  EXPECT_EQ(readRadioIni(file).settings, RadioSettings{});
}

struct RadioWindow {
  explicit RadioWindow(const std::string& radioIni = {}) {
    if (!radioIni.empty()) writeBytes(h.file("radio.ini"), radioIni);
    h.load();
    QTest::mouseClick(h.controls().Check3, Qt::LeftButton);  // the transmit panel
  }
  QDialog* openDialog() {
    QTest::mouseClick(h.controls().cmdRadio, Qt::LeftButton);
    for (QDialog* dialog : h.form().findChildren<QDialog*>("frmRadio"))
      if (dialog->isVisible()) return dialog;
    return nullptr;
  }
  template <class W>
  static W* in(QDialog* dialog, const char* name) {
    return dialog->findChild<W*>(QString::fromLatin1(name));
  }
  // CAT, the model found by `search`, the device and the speed, typed in
  // (Return would press "OK", as in any dialog).
  static void fillIn(QDialog* dialog, const QString& search, const QString& device, const QString& speed) {
    QTest::keyClicks(in<QComboBox>(dialog, "cboMethod"), "CAT");
    retype(in<QLineEdit>(dialog, "txtRigSearch"), search);
    auto* models = in<QListWidget>(dialog, "lstRigModels");
    for (int row = 0; row < models->count(); ++row) {
      if (models->item(row)->isHidden()) continue;
      QTest::mouseClick(models->viewport(), Qt::LeftButton, {}, models->visualItemRect(models->item(row)).center());
      break;
    }
    retype(in<QLineEdit>(dialog, "txtRigDevice"), device);
    retype(in<QComboBox>(dialog, "cboSpeed")->lineEdit(), speed);
  }
  Form1Harness h;
};

TEST(RadioDialog, TheOperatorSetsUpCatAndOkKeepsItInRadioIni) {
  RadioWindow w;
  EXPECT_EQ(w.h.radio.configured.back(), RadioSettings{}) << "no radio.ini: the serial keying";
  QDialog* dialog = w.openDialog();
  ASSERT_NE(dialog, nullptr);
  RadioWindow::fillIn(dialog, "icom 73", "/dev/ttyUSB0", "19200");
  QTest::mouseClick(RadioWindow::in<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(w.h.radio.configured.back(), kIcom);
  EXPECT_EQ(readBytes(w.h.file("radio.ini")), formatRadioIni(kIcom));
  EXPECT_TRUE(w.h.dialogs.shown.empty());

  // rigctld wants HOST:PORT; a speed is a number: the dialog says so and
  // stays. Return in it is "OK".
  dialog = w.openDialog();
  RadioWindow::fillIn(dialog, "rigctl", "localhost", "Default");
  QTest::keyClick(RadioWindow::in<QLineEdit>(dialog, "txtRigDevice"), Qt::Key_Return);
  RadioWindow::fillIn(dialog, "icom 73", "/dev/ttyUSB1", "fast");
  QTest::mouseClick(RadioWindow::in<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(w.h.dialogs.texts(), QStringList({"rigctld's address is HOST:PORT, e.g. localhost:4532",
                                              "The speed is a number of baud, or Default"}));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(w.h.radio.configured.back(), kIcom);
}

TEST(RadioDialog, TestUsesTheSettingsAtOnceAndCancelPutsTheOldOnesBack) {
  RadioWindow w(formatRadioIni(kIcom));
  ASSERT_EQ(w.h.radio.configured.back(), kIcom);
  retype(w.h.controls().Combo5->lineEdit(), "3");
  QDialog* dialog = w.openDialog();
  RadioWindow::fillIn(dialog, "rigctl", "shack:4532", "Default");
  QTest::mouseClick(RadioWindow::in<QPushButton>(dialog, "cmdTest"), Qt::LeftButton);
  const RadioSettings rigctld{PttMethod::Cat, 2, "shack:4532", 0};
  EXPECT_EQ(w.h.radio.configured.back(), rigctld);
  EXPECT_EQ(w.h.radio.testedPorts, std::vector<int32_t>{3});

  auto* outcome = RadioWindow::in<QLabel>(dialog, "lblTest");
  EXPECT_EQ(outcome->text(), "Testing...");
  w.h.radio.answer.tests = 1;
  w.h.radio.answer.testOutcome = "CAT: keyed for 1 s and released, as the radio confirms";
  EXPECT_TRUE(QTest::qWaitFor([&] { return outcome->text().startsWith("CAT: keyed"); }, 5000));

  QTest::mouseClick(RadioWindow::in<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
  EXPECT_EQ(w.h.radio.configured.back(), kIcom);
  EXPECT_EQ(readBytes(w.h.file("radio.ini")), formatRadioIni(kIcom));
}

TEST(RadioDialog, AGarbledRadioIniIsLeftAsItWasAndAReadOnlyFolderIsReported) {
  const std::string garbled = "\"CAT\"\r\nIC-7300\r\n\"/dev/ttyUSB0\"\r\n19200\r\n";
  {
    RadioWindow w(garbled);
    EXPECT_EQ(w.h.radio.configured.back(), RadioSettings{}) << "the serial keying";
    w.h.close();
    EXPECT_EQ(readBytes(w.h.file("radio.ini")), garbled) << "nothing lost";
  }
  RadioWindow w;
  ReadOnlyFolder readOnly(w.h.file("radio.ini").parent_path());
  QDialog* dialog = w.openDialog();
  RadioWindow::fillIn(dialog, "icom 73", "/dev/ttyUSB0", "19200");
  QTest::mouseClick(RadioWindow::in<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(w.h.radio.configured.back(), kIcom) << "used for this session";
  ASSERT_EQ(w.h.dialogs.shown.size(), 1u);
  EXPECT_TRUE(w.h.dialogs.texts().front().contains("radio.ini"));
  EXPECT_FALSE(std::filesystem::exists(w.h.file("radio.ini")));
}

}  // namespace
}  // namespace quillary::testing

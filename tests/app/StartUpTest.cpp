// Start-up: the load sequence, the window's placement, the program folder,
// termination signals, the device chooser and the settings files read back.
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>

#include "app/ProgramFolder.h"
#include "app/SettingsFiles.h"
#include "app/SoundBoardChooser.h"
#include "app/TerminationSignals.h"
#include "support/FakeInventory.h"
#include "support/Form1Harness.h"
#include "support/GuiTest.h"
#include "support/TempFolder.h"

namespace quillary::testing {
namespace {


TEST(LoadSequence, PskIniIsRestoredBeforeTheModemStartsOnce) {
  Form1Harness h;
  writeBytes(h.file("psk.ini"),
             "1785\r\n-120\r\n\"JA1ABC\"\r\n25\r\n\"150\"\r\n9000\r\n7000\r\n\"5\"\r\n\"20\"\r\n\"4\"\r\n");
  h.modem.answer("fnGetRXFrequency", 1450);
  h.load();
  EXPECT_EQ(h.modem.calls(),
            (Calls{"fnStartSoundCard(-1,1)", "fnSetRXFrequency(1600,0,0)", "fnSetRXPSKMode(0,0)",
                   "fnSetSquelchThreshold(25,0,0)", "fnGetRXFrequency(0)", "fnSetRXFrequency(1450,0,0)",
                   "fnSetAFCLimit(500,0)", "fnSetFFTMode(3,100,1)", "fnSetFFTMode(5,100,20)"}));
  Form1Controls& c = h.controls();
  EXPECT_EQ(c.Text4->text(), "JA1ABC");
  EXPECT_EQ(c.Combo5->currentText(), "4") << "the list filled later keeps the restored text";
  EXPECT_EQ(h.state().savedWidth, 9000);
  EXPECT_NEAR(h.form().topTwips(), 1785, 15);
  h.form().hide();  // showing the window again does not load again
  h.form().show();
  EXPECT_EQ(h.modem.callsOf("fnStartSoundCard").size(), 1u);
}

TEST(ScreenPlacement, AWindowSavedOnNoScreenIsBroughtBackIntoSight) {
  Form1Harness h;
  writeBytes(h.file("psk.ini"), "90000\r\n120000\r\n");
  h.load();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect frame = h.form().frameGeometry();
  EXPECT_TRUE(area.contains(frame.topLeft()));
  const QRect shown = area.intersected(frame);  // the platform's frame may add a few pixels
  EXPECT_GT(shown.width() * shown.height(), 0.95 * frame.width() * frame.height());
}

TEST(ProgramFolder, OnlyTheExactArgumentTextTestChoosesTheTestFolder) {
  EXPECT_EQ(programFolderFor(argumentText({"quillary", "TEST"}), "/c", "/home/op"), "/home/op/bb");
  for (const QStringList& arguments : {QStringList{"quillary"}, {"quillary", "test"}, {"quillary", "TEST "},
                                       {"quillary", "TEST", "x"}, {"quillary", "", "TEST"}, {"TEST"}})
    EXPECT_EQ(programFolderFor(argumentText(arguments), "/c", "/home/op"), "/c") << arguments.join(',').toStdString();
}

TEST(TerminationSignals, SigtermAndSigintArriveAsOneQtSignalEach) {
  ensureQtApplication();
  TerminationSignals signals_;
  QSignalSpy spy(&signals_, &TerminationSignals::terminationRequested);
  std::raise(SIGTERM);
  std::raise(SIGINT);
  for (int i = 0; i < 50 && spy.count() < 2; ++i) QApplication::processEvents(QEventLoop::AllEvents, 20);
  ASSERT_EQ(spy.count(), 2);
  EXPECT_EQ(spy.at(0).at(0).toInt(), SIGTERM);
  EXPECT_EQ(spy.at(1).at(0).toInt(), SIGINT);
}

struct Chooser {
  explicit Chooser(std::optional<std::vector<std::string>> devices = std::vector<std::string>{})
      : inventory(std::move(devices)) {
    ensureQtApplication();
    window = std::make_unique<frmSoundBoard>(
        inventory, [this](int16_t device) { shownWith = device; }, folder.path());
  }

  TempFolder folder;
  FakeInventory inventory;
  std::optional<int16_t> shownWith;  // the device the main window was shown with
  std::unique_ptr<frmSoundBoard> window;
};

// A readable sound.ini hands over at once; otherwise the devices are
// offered. A USB headset plugged in moves the radio's card from 1 to 2 (and
// PortAudio's "hw:1,0" with it): a sound.ini that names the card follows it.
TEST(SoundBoardChooser, AReadableSoundIniHandsOverAtOnceFollowingItsDeviceByNameWhenTheNumbersShift) {
  const std::vector<std::string> renumbered = {"HDA Intel PCH: ALC892 Analog (hw:0,0)", "USB Headset: Audio (hw:1,0)",
                                               "USB Audio CODEC: - (hw:2,0)", "Simulator"};
  const std::pair<std::string, std::optional<int16_t>> cases[] = {
      {" 2 \r\n", 2}, {"speakers\r\n", 0}, {"40000\r\n", std::nullopt},
      {formatSoundIni(1, "USB Audio CODEC: - (hw:1,0)"), 2},
      {formatSoundIni(2, "USB Audio CODEC: - (hw:2,0)"), 2},
      {formatSoundIni(1, "IC-9700 USB Audio"), std::nullopt},
      {formatSoundIni(5, "IC-9700 USB Audio"), std::nullopt},
      {formatSoundIni(-1, "Default"), -1}};
  for (const auto& [bytes, device] : cases) {
    SCOPED_TRACE(bytes);
    Chooser c(renumbered);
    writeBytes(c.folder.path() / "sound.ini", bytes);
    c.window->load();
    EXPECT_EQ(c.shownWith, device);
    EXPECT_EQ(c.window->isVisible(), !device.has_value()) << "neither matches: the operator chooses";
    if (device) {
      EXPECT_EQ(c.window->soundDeviceName(), *device == -1 ? "Default" : renumbered[*device]);
    } else {
      EXPECT_EQ(comboItems(*c.window->Combo1).mid(0, 2),
                QStringList({"-1 Default", QString::fromStdString("0 " + renumbered[0])}));
    }
    c.window->close();
  }
  EXPECT_EQ(formatSoundIni(2, "USB Audio CODEC: - (hw:2,0)"), " 2 \r\n\"USB Audio CODEC: - (hw:2,0)\"\r\n");
}

TEST(SoundBoardChooser, StartTakesTheDeviceFromTheFirstTwoCharacters) {
  const std::pair<const char*, int16_t> choices[] = {
      {"-1  Default", -1}, {"3 x", 3}, {"typed text", 0}, {"123 long", 12}};
  for (const auto& [text, device] : choices) {
    SCOPED_TRACE(text);
    Chooser c;
    c.window->load();
    retype(c.window->Combo1->lineEdit(), QString::fromLatin1(text));
    QTest::mouseClick(c.window->Command1[0], Qt::LeftButton);
    EXPECT_EQ(c.shownWith, device);
    EXPECT_FALSE(c.window->isVisible());
  }
}

// psk.ini and sound.ini: what the next start reads back from what we wrote,
// and from files other programs or hands may have left.
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
}  // namespace quillary::testing

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

#include "app/SettingsFiles.h"
#include "app/SoundBoardChooser.h"
#include "support/FakeInventory.h"
#include "support/GuiTest.h"

namespace quillary::testing {
namespace {

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

TEST(SoundBoardChooser, AReadableSoundIniHandsOverAtOnceOtherwiseTheDevicesAreOffered) {
  for (const auto& [bytes, device] : {std::pair<const char*, std::optional<int16_t>>{" 2 \r\n", 2},
                                      {"speakers\r\n", 0}, {"40000\r\n", std::nullopt}}) {
    SCOPED_TRACE(bytes);
    Chooser c({{"USB Audio CODEC", "Simulator"}});
    writeBytes(c.folder.path() / "sound.ini", bytes);
    c.window->load();
    EXPECT_EQ(c.shownWith, device);
    EXPECT_EQ(c.window->isVisible(), !device.has_value());
    if (!device) {
      EXPECT_EQ(comboItems(*c.window->Combo1), QStringList({"-1 Default", "0 USB Audio CODEC", "1 Simulator"}));
    }
    c.window->close();
  }
}

// A USB headset plugged in moves the radio's card from 1 to 2 (and
// PortAudio's "hw:1,0" with it): a sound.ini that names the card follows it.
TEST(SoundBoardChooser, ASoundIniThatNamesItsDeviceFollowsItWhenTheNumbersShift) {
  const std::vector<std::string> renumbered = {"HDA Intel PCH: ALC892 Analog (hw:0,0)", "USB Headset: Audio (hw:1,0)",
                                               "USB Audio CODEC: - (hw:2,0)", "Simulator"};
  const std::pair<std::string, std::optional<int16_t>> cases[] = {
      {formatSoundIni(1, "USB Audio CODEC: - (hw:1,0)"), 2},
      {formatSoundIni(2, "USB Audio CODEC: - (hw:2,0)"), 2},
      {formatSoundIni(1, "IC-9700 USB Audio"), std::nullopt},
      {formatSoundIni(5, "IC-9700 USB Audio"), std::nullopt},
      {" 1 \r\n", 1},
      {formatSoundIni(-1, "Default"), -1}};
  for (const auto& [bytes, device] : cases) {
    SCOPED_TRACE(bytes);
    Chooser c(renumbered);
    writeBytes(c.folder.path() / "sound.ini", bytes);
    c.window->load();
    EXPECT_EQ(c.shownWith, device);
    EXPECT_EQ(c.window->isVisible(), !device.has_value()) << "neither matches: the operator chooses";
    if (device) EXPECT_EQ(c.window->soundDeviceName(), *device == -1 ? "Default" : renumbered[*device]);
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
    c.window->Combo1->setEditText(QString::fromLatin1(text));
    QTest::mouseClick(c.window->Command1[0], Qt::LeftButton);
    EXPECT_EQ(c.shownWith, device);
    EXPECT_FALSE(c.window->isVisible());
  }
}

}  // namespace
}  // namespace quillary::testing

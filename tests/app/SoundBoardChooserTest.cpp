// The device chooser: it hands over at once when sound.ini can be read,
// otherwise waits for "Start" or "Exit"; the choice becomes a device number.
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

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
  QStringList items() const { return comboItems(*window->Combo1); }

  TempFolder folder;
  FakeInventory inventory;
  std::optional<int16_t> shownWith;  // the device the main window was shown with
  std::unique_ptr<frmSoundBoard> window;
};

TEST(SoundBoardChooser, AReadableSoundIniHandsOverAtOnceOtherwiseTheChooserShows) {
  // What each sound.ini reads as is the settings-file test's; here, whether
  // the chooser shows.
  const std::pair<const char*, std::optional<int16_t>> cases[] = {
      {" 2 \r\n", 2}, {"word\r\n", 0}, {nullptr, std::nullopt}, {"40000\r\n", std::nullopt}};
  for (const auto& [bytes, device] : cases) {
    SCOPED_TRACE(bytes ? bytes : "(no file)");
    Chooser c;
    if (bytes) writeBytes(c.folder.path() / "sound.ini", bytes);
    c.window->load();
    EXPECT_EQ(c.shownWith, device);
    EXPECT_EQ(c.window->isVisible(), !device.has_value());
    EXPECT_EQ(c.window->soundFileRead(), device.has_value());
    c.window->close();
  }
}

TEST(SoundBoardChooser, OffersDefaultThenEachDeviceNumberedFromZero) {
  Chooser c({{"USB Audio CODEC", "Simulator"}});
  c.window->load();
  EXPECT_EQ(c.items(), QStringList({"-1 Default", "0 USB Audio CODEC", "1 Simulator"}));
  EXPECT_EQ(c.window->Combo1->currentText(), "-1  Default");
  c.window->close();

  Chooser unreachable(std::nullopt);
  unreachable.window->load();
  EXPECT_EQ(unreachable.items(), QStringList({"-1 Default"}));
  unreachable.window->close();
}

TEST(SoundBoardChooser, StartTakesTheDeviceFromTheFirstTwoCharacters) {
  const std::pair<const char*, int16_t> choices[] = {
      {"-1  Default", -1}, {"12 x", 12}, {"3 x", 3}, {"typed text", 0}, {"", 0},
      {"123 long", 12},    {" 5 x", 5},  {".5 x", 0}, {"2.5", 2}};
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

TEST(SoundBoardChooser, ExitWritesNothingAndShowsNoMainWindow) {
  Chooser c({{"Card"}});
  c.window->load();
  QTest::mouseClick(c.window->Command1[1], Qt::LeftButton);
  EXPECT_FALSE(c.shownWith.has_value());
  EXPECT_FALSE(c.window->isVisible());
  EXPECT_TRUE(std::filesystem::is_empty(c.folder.path()));
}

}  // namespace
}  // namespace quillary::testing

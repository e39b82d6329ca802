#include "app/SoundBoardChooser.h"

#include <QComboBox>
#include <QPushButton>
#include <cstdio>

#include "app/SettingsFiles.h"
#include "app/SoundDeviceChoice.h"
#include "modem/DeviceInventory.h"
#include "window/ControlMaker.h"

namespace quillary {

frmSoundBoard::frmSoundBoard(const DeviceInventory& inventory, ShowMainWindow showMainWindow,
                             std::filesystem::path currentDirectory, QWidget* parent)
    : QWidget(parent),
      inventory_(inventory),
      showMainWindow_(std::move(showMainWindow)),
      currentDirectory_(std::move(currentDirectory)) {
  setObjectName(QStringLiteral("frmSoundBoard"));
  setWindowTitle(QStringLiteral("Select Sound Boad"));
  const TwipsScale scale = TwipsScale::of(*this);
  resize(scale.x(4800), scale.y(1500));
  const ControlMaker make(scale);
  Combo1 = make.comboBox(this, "Combo1", QStringLiteral("-1  Default"), {},
                         {120, 120, 4400, 300}, std::nullopt);
  Command1[0] = make.button(this, "Command1_0", QStringLiteral("Start"), {120, 600, 1200, 400},
                            std::nullopt);
  Command1[1] = make.button(this, "Command1_1", QStringLiteral("Exit"), {1500, 600, 1200, 400},
                            std::nullopt);
  connect(Command1[0], &QPushButton::clicked, this, [this] { start(); });
  connect(Command1[1], &QPushButton::clicked, this, [this] { exit(); });
}

void frmSoundBoard::load() {
  QFont arial = font();
  arial.setFamily(QStringLiteral("Arial"));
  for (QWidget* widget : {static_cast<QWidget*>(this), static_cast<QWidget*>(Combo1),
                          static_cast<QWidget*>(Command1[0]), static_cast<QWidget*>(Command1[1])}) {
    widget->setFont(arial);
  }
  const QString initialText = Combo1->currentText();
  Combo1->addItems(soundDeviceItems(inventory_.soundDevices()));
  Combo1->setEditText(initialText);
  Read_Sound();
  if (soundFileRead_) {
    showMainWindow_(soundDevice_);
    close();
    return;
  }
  soundDevice_ = 0;
  show();
}

// A file that names its device follows the device when the numbers have
// shifted, and asks again when the device is gone.
void frmSoundBoard::Read_Sound() {
  const auto read = readSoundIni(currentDirectory_ / "sound.ini");
  soundFileRead_ = read.has_value();
  if (!read) return;
  soundDevice_ = read->device;
  const auto devices = inventory_.soundDevices();
  const std::optional<int16_t> device = deviceForStoredName(read->device, read->name, devices);
  if (!device) {
    std::fprintf(stderr, "Quillary: the sound device \"%s\" is not there; choose one\n", read->name->c_str());
    soundFileRead_ = false;
  } else if (*device != read->device) {
    std::fprintf(stderr, "Quillary: sound device %d is not \"%s\" any more; opening it as device %d\n",
                 read->device, read->name->c_str(), *device);
    soundDevice_ = *device;
  }
}

std::string frmSoundBoard::soundDeviceName() const {
  return deviceNameOf(soundDevice_, inventory_.soundDevices());
}

void frmSoundBoard::start() {
  soundDevice_ = deviceFromChoice(Combo1->currentText());
  showMainWindow_(soundDevice_);
  close();
}

void frmSoundBoard::exit() {
  soundDevice_ = 0;
  close();
}

}  // namespace quillary

#include "app/SoundBoardChooser.h"

#include <QComboBox>
#include <QPushButton>

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

void frmSoundBoard::Read_Sound() {
  const auto device = readSoundIni(currentDirectory_ / "sound.ini");
  soundFileRead_ = device.has_value();
  if (device) soundDevice_ = *device;
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

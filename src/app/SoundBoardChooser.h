#pragma once
// The program's first window, frmSoundBoard: offers the sound devices and
// hands the chosen device number to the main window. When "sound.ini" in the
// current directory can be read, it hands over at once and is never shown.
#include <QWidget>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

class QComboBox;
class QPushButton;

namespace quillary {

class DeviceInventory;

class frmSoundBoard : public QWidget {
  Q_OBJECT
 public:
  // Creates and shows the main window with the chosen device number.
  using ShowMainWindow = std::function<void(int16_t soundDevice)>;

  frmSoundBoard(const DeviceInventory& inventory, ShowMainWindow showMainWindow,
                std::filesystem::path currentDirectory, QWidget* parent = nullptr);

  // The chooser's load: fills the list, reads "sound.ini", then hands over
  // to the main window at once or shows itself and waits.
  void load();
  // Reads "sound.ini" from the current directory into the device number.
  void Read_Sound();

  int16_t soundDevice() const { return soundDevice_; }
  // The chosen device's name as the list shows it, for sound.ini.
  std::string soundDeviceName() const;
  bool soundFileRead() const { return soundFileRead_; }

  QComboBox* Combo1 = nullptr;
  std::array<QPushButton*, 2> Command1{};  // 0 "Start", 1 "Exit"

 private:
  void start();
  void exit();

  const DeviceInventory& inventory_;
  ShowMainWindow showMainWindow_;
  std::filesystem::path currentDirectory_;
  int16_t soundDevice_ = 0;
  bool soundFileRead_ = false;
};

}  // namespace quillary

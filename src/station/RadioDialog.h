#pragma once
// The "Radio" dialog: how the transmitter is keyed (serial RTS/DTR on the
// comm port, CAT through hamlib or rigctld, or VOX), the rig model from
// hamlib's list (searchable), its device or rigctld's HOST:PORT, the serial
// speed, and "Test", which keys for one second and says what happened.
// It opens window-modal and never waits for the radio: the test's outcome
// is polled from the radio link.
#include <QDialog>
#include <functional>
#include <optional>

#include "modem/RadioLink.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace quillary {

class Dialogs;

class RadioDialog : public QDialog {
  Q_OBJECT
 public:
  struct Actions {
    // "Test": the settings in use from now on; false when no test may run
    // now (it has said why).
    std::function<bool(const RadioSettings&)> apply;
    std::function<void(const RadioSettings&)> save;     // "OK": in use, and kept in radio.ini
    std::function<void(const RadioSettings&)> restore;  // "Cancel" after "Test": back as they were
  };

  // `commPort`: the number in the comm port box, for testing serial keying.
  RadioDialog(RadioLink& radio, Dialogs& dialogs, int32_t commPort, Actions actions, QWidget* parent);

 private:
  void buildControls();
  void connectControls();
  void showSettings(const RadioSettings& settings);
  // The settings as filled in; nullopt (and a message) when they are not complete.
  std::optional<RadioSettings> filledIn();
  PttMethod method() const;
  void filterModels();
  void selectModel(int32_t number);
  void enableRigFields();
  void startTest();
  void checkTest();
  void finish(bool keep);

  RadioLink& radio_;
  Dialogs& dialogs_;
  const int32_t commPort_;
  const Actions actions_;
  const RadioSettings initial_;
  bool applied_ = false;
  uint64_t testsBefore_ = 0;

  QComboBox* method_ = nullptr;
  QLineEdit* search_ = nullptr;
  QListWidget* models_ = nullptr;
  QLineEdit* device_ = nullptr;
  QLabel* deviceHint_ = nullptr;
  QComboBox* speed_ = nullptr;
  QPushButton* test_ = nullptr;
  QLabel* testOutcome_ = nullptr;
  QTimer* testWatch_ = nullptr;
};

}  // namespace quillary

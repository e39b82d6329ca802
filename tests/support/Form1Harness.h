#pragma once
// A main window on a recording modem and answering dialogs, in its own
// temporary program folder. load() shows it, which runs the load sequence.
#include <QWidget>
#include <memory>

#include "app/Form1.h"
#include "support/FakeDialogs.h"
#include "support/FakeRadio.h"
#include "support/GuiTest.h"
#include "support/RecordingModem.h"

namespace quillary::testing {

class Form1Harness {
 public:
  explicit Form1Harness(int16_t soundDevice = -1)
      : form_((ensureQtApplication(),
               std::make_unique<Form1>(modem, dialogs, radio, folder_.path(), soundDevice))) {}

  Form1& load() {
    form_->show();
    return *form_;
  }
  void close() { form_->close(); }

  Form1& form() { return *form_; }
  Form1Controls& controls() { return form_->controls(); }
  MainState& state() { return form_->state(); }
  std::filesystem::path file(const char* name) const { return folder_.path() / name; }

  RecordingModem modem;
  FakeDialogs dialogs;
  FakeRadio radio;

 private:
  TempFolder folder_;  // made before the window and removed after it
  std::unique_ptr<Form1> form_;
};

}  // namespace quillary::testing

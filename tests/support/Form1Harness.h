#pragma once
// A main window on a recording modem and answering dialogs, in its own
// temporary program folder. load() shows it, which runs the load sequence.
#include <QString>
#include <QWidget>
#include <memory>

#include "app/Form1.h"
#include "support/FakeDialogs.h"
#include "support/GuiTest.h"
#include "support/RecordingModem.h"

namespace quillary::testing {

class Form1Harness {
 public:
  explicit Form1Harness(int16_t soundDevice = -1);
  ~Form1Harness();

  // Shows the window, running its load sequence.
  Form1& load();
  // Closes the window, running its unload sequence.
  void close();

  Form1& form() { return *form_; }
  Form1Controls& controls() { return form_->controls(); }
  MainState& state() { return form_->state(); }
  const std::filesystem::path& folder() const { return folder_.path(); }
  std::filesystem::path file(const char* name) const { return folder_.path() / name; }

  template <class W>
  W* find(const QString& name) {
    return form_->findChild<W*>(name);
  }

  RecordingModem modem;
  FakeDialogs dialogs;

 private:
  TempFolder folder_;
  std::unique_ptr<Form1> form_;
};

}  // namespace quillary::testing

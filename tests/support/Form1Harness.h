#pragma once
// A main window on a recording modem and answering dialogs, in its own
// temporary program folder. load() shows it, which runs the load sequence.
// The modem's notifications reach it as they do from the engine.
#include <QCheckBox>
#include <QCoreApplication>
#include <QMetaObject>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <initializer_list>
#include <memory>

#include "app/Form1.h"
#include "modem/ModemWindow.h"
#include "support/FakeDialogs.h"
#include "support/FakeRadio.h"
#include "support/GuiTest.h"
#include "support/RecordingModem.h"
#include "transmit/TransmitBox.h"
#include "window/ModemMessageEvent.h"

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

using Calls = std::vector<std::string>;

inline void notify(Form1Harness& h, int32_t message, int32_t wParam, int32_t lParam = 0) {
  h.form().post(message, wParam, lParam);
  QCoreApplication::sendPostedEvents(&h.form(), ModemMessageEvent::eventType());
}

inline void receive(Form1Harness& h, std::initializer_list<int> bytes, int32_t lParam = 0) {
  for (int byte : bytes) notify(h, kMsgCharacter, byte, lParam);
}

inline void tick(QTimer& timer) { QMetaObject::invokeMethod(&timer, "timeout"); }

// A loaded main window whose start-up modem calls are forgotten.
class LoadedWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.load();
    h.modem.clearCalls();
  }
  Form1Controls& c() { return h.controls(); }

  Form1Harness h;
};

// A loaded window, its transmit panel shown wide enough for every button,
// an own call and a mode chosen, the start-up calls forgotten.
class TransmitPanelTest : public LoadedWindowTest {
 protected:
  void SetUp() override {
    LoadedWindowTest::SetUp();
    QTest::mouseClick(c().Check3, Qt::LeftButton);
    h.form().setWidthTwips(7000);
    QTest::keyClicks(c().Text4, "N0CALL");
    pickItem(c().Combo3, "QPSK63");
    h.modem.clearCalls();
  }

  void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }
  // Without the transmit indicator's once-a-second look at the queue.
  Calls transmitCalls() const {
    Calls calls;
    for (const std::string& call : h.modem.calls())
      if (call != "fnGetTXCharsRemaining()") calls.push_back(call);
    return calls;
  }
  QString box() { return transmitBoxText(*c().Text5); }
  int caret() { return c().Text5->textCursor().position(); }
  bool focusOnBox() { return h.form().focusWidget() == c().Text5; }
};

}  // namespace quillary::testing

#pragma once
#include <QComboBox>
#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>
#include <gtest/gtest.h>
#include <initializer_list>

#include "modem/ModemWindow.h"
#include "support/Form1Harness.h"
#include "support/OperatorInput.h"
#include "window/ModemMessageEvent.h"

namespace quillary::testing {

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

}  // namespace quillary::testing

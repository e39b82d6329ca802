#pragma once
// A loaded window, its transmit panel shown wide enough for every button,
// an own call and a mode chosen, the start-up calls forgotten.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "link/HookTestSupport.h"
#include "transmit/TransmitBox.h"

namespace quillary::testing {

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

#include "app/CommPort.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/Form1.h"
#include "common/Numbers.h"
#include "modem/ModemLibrary.h"
#include "station/StationPanel.h"
#include "window/Dialogs.h"

namespace quillary {

CommPortOutcome pressCommPortButton(CommPortState& state, std::string_view comboText,
                                    ModemLibrary& modem) {
  if (state.open == 1) {
    state.open = 0;
    modem.fnSetComPort(state.port, 0);
    return CommPortOutcome::Released;
  }
  // A text that is not a number reads as 0, below 1 like the initial "0".
  const double number = leadingNumber(comboText);
  if (number < 1) return CommPortOutcome::SelectPortNumber;
  const auto port = toInt16(number);
  // A number too large for a port number cannot be a port the modem knows.
  if (!port) return CommPortOutcome::Refused;
  state.pttMode = 3;
  state.port = *port;
  if (modem.fnSetComPort(state.port, state.pttMode) == 0) {
    state.open = 0;
    return CommPortOutcome::Refused;
  }
  state.open = 1;
  return CommPortOutcome::Opened;
}

// CAT and VOX keying ("Radio") need no port number; releasing is the same
// for every keying.
void onCommPortClicked(Form1Context& context) {
  Form1Controls& c = context.controls;
  context.state.pttDropped = false;
  if (opensThroughRadio(context)) {
    openThroughRadio(context);
    c.Text5->setFocus();
    return;
  }
  const std::string text = c.Combo5->currentText().toStdString();
  switch (pressCommPortButton(context.state.commPort, text, context.modem)) {
    case CommPortOutcome::SelectPortNumber:
      context.dialogs.message(QStringLiteral("Select Comm Port No"), Dialogs::Buttons::Ok);
      break;
    case CommPortOutcome::Refused:
      showPttHeld(*c.Command3, false);
      context.dialogs.message(QStringLiteral("Wrong Comm Port No"), Dialogs::Buttons::Ok);
      break;
    case CommPortOutcome::Opened:
      showPttHeld(*c.Command3, true);
      break;
    case CommPortOutcome::Released:
      showPttHeld(*c.Command3, false);
      break;
  }
  // The transmit panel's buttons hand the keyboard back to the transmit box.
  c.Text5->setFocus();
}

void connectCommPort(Form1Context& context) {
  QObject::connect(context.controls.Command3, &QPushButton::clicked, &context.window,
                   [&context] { onCommPortClicked(context); });
}

}  // namespace quillary

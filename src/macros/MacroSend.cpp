#include "macros/MacroSend.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "modem/ModemLibrary.h"
#include "transmit/MacroExpansion.h"
#include "transmit/OwnCall.h"
#include "transmit/TransmitBox.h"
#include "transmit/TransmitFrequency.h"
#include "window/Form1Context.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/TwipsWindow.h"

namespace quillary {

void sendMacro(Form1Context& context, int k, MacroSendForm form) {
  MainState& state = context.state;
  QPlainTextEdit& box = *context.controls.Text5;
  state.sendText = state.macros[k - 1];
  Insert_Send(context);
  QString text = QString::fromStdString(state.sendText);
  // The macro goes first, then what was typed ahead while receiving.
  const QString typedAhead = transmitBoxText(box);
  if (!typedAhead.isEmpty() && state.transmitState == 0 && state.transmitToken == 1)
    text += typedAhead;
  state.sendText = text.toStdString();
  setTransmitBoxText(box, text);
  moveCaretToEnd(box);

  // A menu never stored sends nothing, not even an empty string.
  if (state.transmitState == 1 && !text.isEmpty()) sendToModem(context.modem, text);
  if (state.transmitToken == 1) {
    TX_Freq(context);
    context.modem.fnStartTX(state.modeCode);
    sendToModem(context.modem, text);
  } else if (form == MacroSendForm::Key) {
    state.transmitState = 0;
  }
  if (state.receiveToken == 1) {
    context.modem.fnStopTX();
    if (form == MacroSendForm::Key) state.transmitState = 0;
  }
}

void onMacroSendClicked(Form1Context& context, int element) {
  if (!requireOwnCall(context)) return;
  sendMacro(context, element + 1, MacroSendForm::Button);
  context.controls.Text5->setFocus();
}

void connectMacroSendButtons(Form1Context& context) {
  for (int i = 0; i < 7; ++i) {
    QObject::connect(context.controls.Command9[i], &QPushButton::clicked, &context.window,
                     [&context, i] { onMacroSendClicked(context, i); });
  }
}

}  // namespace quillary

#include "link/TransmitIndicator.h"

#include <QPlainTextEdit>
#include <QTimer>

#include "modem/ModemLibrary.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/PictureBox.h"

namespace quillary {

void onTransmitState(Form1Context& context, int32_t wParam) {
  MainState& state = context.state;
  if (wParam == 1) {
    state.transmitterOn = 1;
    state.transmitState = 1;
  } else if (wParam == 0) {
    state.transmitterOn = 0;
    // With nothing being sent the transmit box may hold the operator's
    // typing ahead; only a finished transmission clears it.
    if (state.transmitState == 1 || state.transmitState == 2) {
      state.transmitState = 0;
      context.controls.Text5->clear();
    }
  }
}

void transmitIndicatorTick(Form1Context& context) {
  // The indicator shows the state as it stood before this tick's look at
  // the queue, so it follows a change one tick later.
  context.controls.Picture4[1]->setVisible(context.state.transmitState == 1);
  if (context.modem.fnGetTXCharsRemaining() > 0) context.state.transmitState = 1;
}

void connectTransmitIndicator(Form1Context& context) {
  QObject::connect(context.controls.Timer2, &QTimer::timeout, context.controls.Timer2,
                   [context]() mutable { transmitIndicatorTick(context); });
}

}  // namespace quillary

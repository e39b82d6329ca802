#include "link/ModemEventHook.h"

#include <QLineEdit>

#include "link/ModemReports.h"
#include "link/TransmitIndicator.h"
#include "modem/ModemWindow.h"
#include "receive/CommandForwarding.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/ModemMessageEvent.h"

namespace quillary {

ModemEventHook::ModemEventHook(Form1Context context)
    : context_(context),
      receiveArea_(*context.controls.Term),
      receivedText_(systemCodePage()) {}

void ModemEventHook::handle(int32_t message, int32_t wParam, int32_t lParam) {
  ++seen_;
  switch (message) {
    case kMsgDisplayReady:
      onDisplayReady();
      break;
    case kMsgCharacter:
      onCharacter(wParam, lParam);
      break;
    case kMsgTransmitState:
      onTransmitState(context_, wParam);
      break;
    case kMsgImdReading:
      onImdReading(context_, wParam);
      break;
    case kMsgClockError:
      onClockError(context_, wParam);
      break;
    default:
      break;
  }
}

void ModemEventHook::onDisplayReady() {
  drawVectorAndLevel(context_, vector_);
  drawSpectrum(context_, spectrum_);
}

void ModemEventHook::onCharacter(int32_t wParam, int32_t lParam) {
  const bool kanji = context_.state.kanjiMode != 0;
  // Every completed line is looked at for a picture command, also one equal
  // to the line before it (setting the same text again is no change to the
  // box): a station that sends its command twice is handed over twice.
  if (const auto line = receivedText_.take(wParam, lParam, kanji, receiveArea_)) {
    context_.controls.Text3->setText(*line);
    forwardReceivedCommand(context_);
  }
}

bool ModemEventHook::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == ModemMessageEvent::eventType()) {
    const auto* notification = static_cast<ModemMessageEvent*>(event);
    handle(notification->message(), notification->wParam(), notification->lParam());
  }
  // Every event goes on to the window, handled or not.
  return QObject::eventFilter(watched, event);
}

}  // namespace quillary

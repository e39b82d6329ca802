#include "modem/ModemEventHook.h"

#include "modem/ModemMessageEvent.h"

namespace quillary {

void ModemEventHook::handle(int32_t message, int32_t wParam, int32_t lParam) {
  ++seen_;
  // NOT BUILT YET: nothing is acted on so far. The display-ready drawing,
  // received characters, transmit state, IMD readings and the clock error
  // are dispatched from here on `message` as they are built.
  (void)message;
  (void)wParam;
  (void)lParam;
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

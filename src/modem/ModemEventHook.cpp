#include "modem/ModemEventHook.h"

#include "modem/ModemMessageEvent.h"

namespace quillary {

void ModemEventHook::handle(int32_t message, int32_t wParam, int32_t lParam) {
  // Counted so the window's owner can tell the hook is in place; the five
  // notifications get their handling here as the receive work lands.
  (void)message;
  (void)wParam;
  (void)lParam;
  ++seen_;
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

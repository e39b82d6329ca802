#include "window/ModemMessageEvent.h"

namespace quillary {

QEvent::Type ModemMessageEvent::eventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

}  // namespace quillary

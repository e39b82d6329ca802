#pragma once
// A modem notification on its way to the main window: the message number
// (2024..2028) and its two parameters, posted from any thread and delivered
// on the user-interface thread.
#include <QEvent>
#include <cstdint>

namespace quillary {

class ModemMessageEvent : public QEvent {
 public:
  ModemMessageEvent(int32_t message, int32_t wParam, int32_t lParam)
      : QEvent(eventType()), message_(message), wParam_(wParam), lParam_(lParam) {}

  // The custom event type, registered with Qt once.
  static QEvent::Type eventType();

  int32_t message() const { return message_; }
  int32_t wParam() const { return wParam_; }
  int32_t lParam() const { return lParam_; }

 private:
  int32_t message_;
  int32_t wParam_;
  int32_t lParam_;
};

}  // namespace quillary

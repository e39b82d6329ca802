#pragma once
// The hook through which the modem's notifications reach the program: an
// event filter on the main window, installed once the modem has been started
// and tuned, removed at shut-down after the modem has stopped. It acts on the
// five notifications (display ready, character, transmit state, IMD reading,
// clock error) and always lets the event go on to the window, handled or
// not, so the window's own handling still sees every message.
#include <QObject>
#include <cstdint>

#include "display/SpectrumDisplay.h"
#include "display/VectorDisplay.h"
#include "link/PlainTextReceiveArea.h"
#include "link/ReceivedText.h"
#include "window/Form1Context.h"

namespace quillary {

class ModemEventHook : public QObject {
  Q_OBJECT
 public:
  explicit ModemEventHook(Form1Context context);

  // Acts on one notification; other message numbers are only counted.
  void handle(int32_t message, int32_t wParam, int32_t lParam);

  // Notifications that reached the hook, handled or not.
  int notificationsSeen() const { return seen_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void onDisplayReady();
  void onCharacter(int32_t wParam, int32_t lParam);

  Form1Context context_;
  int seen_ = 0;
  PlainTextReceiveArea receiveArea_;
  ReceivedText receivedText_;
  SpectrumBuffer spectrum_{};
  VectorBuffer vector_{};
};

}  // namespace quillary

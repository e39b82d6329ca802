// Where the main window's controls get their behaviour: each subsystem
// connects its handlers here, working on the window's context.
#include "app/CommPort.h"
#include "app/Form1.h"
#include "app/SetSound.h"
#include "display/MainWindowLayout.h"

namespace quillary {

void Form1::connectHandlers() {
  connectCommPort(context_);
  connectSetSound(context_);
  connectTransmitButton(context_);
}

}  // namespace quillary

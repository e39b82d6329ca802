#include "transmit/TransmitFrequency.h"

#include <QLineEdit>

#include "link/ReceiveTuning.h"
#include "modem/ModemLibrary.h"
#include "window/Form1Controls.h"

namespace quillary {

void TX_Freq(Form1Context& context) {
  if (const auto hz = numberInText(context.controls.txtTX->text().toStdString())) {
    context.modem.fnSetTXFrequency(*hz);
  }
}

}  // namespace quillary

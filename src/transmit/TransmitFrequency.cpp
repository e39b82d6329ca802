#include "transmit/TransmitFrequency.h"

#include <QLineEdit>

#include "app/Form1Controls.h"
#include "modem/ModemLibrary.h"
#include "modem/ReceiveTuning.h"

namespace quillary {

void TX_Freq(Form1Context& context) {
  if (const auto hz = numberInText(context.controls.txtTX->text().toStdString())) {
    context.modem.fnSetTXFrequency(*hz);
  }
}

}  // namespace quillary

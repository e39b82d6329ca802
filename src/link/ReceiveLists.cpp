#include "link/ReceiveLists.h"

#include "window/ComboLists.h"
#include "window/Form1Controls.h"

namespace quillary {

void Combo3_Set(Form1Context& context) {
  replaceList(*context.controls.Combo3,
              {"BPSK31", "BPSK63", "BPSK125", "QPSK31", "QPSK63", "QPSK125"},
              QStringLiteral("BPSK31"));
}

void Combo6_Set(Form1Context& context) {
  replaceList(*context.controls.Combo6,
              {"1600", "1550", "1500", "1450", "1400", "1300", "1200", "1100", "1000"},
              QStringLiteral("1600"));
}

}  // namespace quillary

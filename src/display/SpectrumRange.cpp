#include "display/SpectrumRange.h"

#include "window/ComboLists.h"
#include "window/Form1Controls.h"

namespace quillary {

void Combo7_Set(Form1Context& context) {
  replaceList(*context.controls.Combo7, {"500-3000", "500-2500", "1200-1800", "1000-2000"},
              QStringLiteral("1000-2000"));
}

}  // namespace quillary

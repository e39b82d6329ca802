#include "display/SpectrumRange.h"

#include "app/ComboLists.h"
#include "app/Form1Controls.h"

namespace quillary {

void Combo7_Set(Form1Context& context) {
  replaceList(*context.controls.Combo7, {"500-3000", "500-2500", "1200-1800", "1000-2000"},
              QStringLiteral("1000-2000"));
}

}  // namespace quillary

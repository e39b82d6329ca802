#include "transmit/Greetings.h"

#include "window/ComboLists.h"
#include "window/Form1Controls.h"

namespace quillary {

void Combo8_Set(Form1Context& context) {
  replaceList(*context.controls.Combo8,
              {"Hello", "GM", "GA", "GE", "GN", "GMJ", "GAJ", "GEJ", "GNJ"},
              QStringLiteral("Hello"));
}

}  // namespace quillary

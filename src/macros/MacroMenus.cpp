#include "macros/MacroMenus.h"

namespace quillary {

void Menu_Set(Form1Context&) {
  // Not built yet: the macro files are read here once they land.
}

void closeMacroEditor(Form1Context&) {
  // Not built yet: the macro editor is closed here once it exists.
}

}  // namespace quillary

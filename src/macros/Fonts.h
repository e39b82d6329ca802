#pragma once
#include "app/Form1Context.h"

namespace quillary {

// The uniform start-up fonts: "Arial" for the window and a set of its
// controls, most of them at 8 or 9 points. Other controls keep their
// design-time fonts.
void Font_Set(Form1Context& context);

}  // namespace quillary

#pragma once
#include "window/Form1Context.h"

namespace quillary {

// Fills the display-range list Combo7 and shows "1000-2000".
void Combo7_Set(Form1Context& context);

}  // namespace quillary

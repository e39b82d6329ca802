#pragma once
#include "window/Form1Context.h"

namespace quillary {

// Fills the greeting list Combo8 with its nine codes and shows "Hello".
void Combo8_Set(Form1Context& context);

}  // namespace quillary

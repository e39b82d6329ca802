#pragma once
#include "window/Form1Context.h"

namespace quillary {

// Restores psk.ini from the program folder into the window and its values:
// Top and Left (applied at once), the own call, the squelch threshold, the
// search half-width, the saved width and height, smoothing, bias and the
// comm port. What was not restored keeps its value.
void Init_Set(Form1Context& context);

}  // namespace quillary

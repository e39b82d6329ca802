#pragma once
#include "window/Form1Context.h"

namespace quillary {

// Fills the PSK mode list Combo3 and shows "BPSK31".
void Combo3_Set(Form1Context& context);
// Fills the preset list Combo6 and shows "1600".
void Combo6_Set(Form1Context& context);

}  // namespace quillary

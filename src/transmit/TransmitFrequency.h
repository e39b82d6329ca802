#pragma once
#include "window/Form1Context.h"

namespace quillary {

// Hands the number in the transmit frequency box txtTX to the modem; every
// transmission in a PSK mode calls it before keying. A box that holds no
// number leaves the modem on the last frequency it was given.
void TX_Freq(Form1Context& context);

}  // namespace quillary

#pragma once
// The transmit state as the modem reports it (transmitter on and off) and
// the transmit indicator, which Timer2 keeps in step with that state.
#include <cstdint>

#include "window/Form1Context.h"

namespace quillary {

void connectTransmitIndicator(Form1Context& context);

// wParam 1: transmitter on; 0: off; other values change nothing.
void onTransmitState(Form1Context& context, int32_t wParam);
// One tick of Timer2.
void transmitIndicatorTick(Form1Context& context);

}  // namespace quillary

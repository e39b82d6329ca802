#pragma once
// The buttons that act on the transmitter itself: "ABORT(F12)" drops it at
// once, "Tune" keys a steady carrier or drops the transmitter, and the
// preset button (on the spectrum) brings the receiver and both frequency
// boxes back to the preset chosen last.
#include "window/Form1Context.h"

namespace quillary {

void onAbortClicked(Form1Context& context);
void onTuneClicked(Form1Context& context);
void onPresetClicked(Form1Context& context);
void connectTransmitControls(Form1Context& context);

}  // namespace quillary

#pragma once
// The IMD meter in the control panel: its scale of four colour zones over
// 0..50 dB, the bar for the best reading, and the "Reset" button that
// clears the IMD statistics.
#include <cstdint>

#include "window/Form1Context.h"

namespace quillary {

class PictureBox;

void drawImdScale(PictureBox& picture);
// The scale with a bar for `best`; 9999 (no reading) leaves it empty.
void drawImdMeter(PictureBox& picture, int16_t best);

// "Reset": statistics back to no reading, the three IMD boxes emptied, the
// scale redrawn without a bar.
void onImdReset(Form1Context& context);
void connectImdReset(Form1Context& context);

}  // namespace quillary

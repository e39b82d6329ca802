#pragma once
// The modem's IMD readings and sound-card clock error, shown in the
// control panel.
#include <cstdint>

#include "window/Form1Context.h"

namespace quillary {

// Counts the reading into the IMD statistics, shows the figures and redraws
// the IMD meter from the statistics as they then stand.
void onImdReading(Form1Context& context, int32_t reading);
// "<signed ppm> ppm" in the clock label.
void onClockError(Form1Context& context, int32_t ppm);

}  // namespace quillary

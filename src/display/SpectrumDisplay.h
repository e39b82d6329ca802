#pragma once
// The spectrum picture of the control panel: redrawn at every display-ready
// notification, its range chosen with Combo7, and a click on it tuning the
// receiver to the frequency under the mouse.
#include <array>
#include <cstdint>

#include "modem/ModemLibrary.h"
#include "window/Form1Context.h"

namespace quillary {

using SpectrumBuffer = std::array<int32_t, kSpectrumBins>;

// Fetches the range's bins into `bins`, lets the receive frequency follow
// the AFC when it is on, and draws grid, trace and marker.
void drawSpectrum(Form1Context& context, SpectrumBuffer& bins);

void onRangeChosen(Form1Context& context);
// A mouse press at x (the picture's drawing units).
void onSpectrumPressed(Form1Context& context, double x);
void connectSpectrum(Form1Context& context);

}  // namespace quillary

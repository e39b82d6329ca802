#pragma once
// The "Band" button and the band window's life beside the main window:
// opened by the button, opened again at start-up when "band.ini" says it
// was open at the last shut-down, and closed with the main window, when
// "band.ini" is written.
#include "window/Form1Context.h"

namespace quillary {

class BandReader;
class BandWindow;

// `reader`: the modem's band reading; without one the button stays greyed.
void connectBandWindow(Form1Context& context, BandReader* reader);
// "Band": the window shown and raised, made on its first opening.
void onBandButtonClicked(Form1Context& context);
// Load: reads "band.ini" and opens the window when it was open.
void restoreBandWindow(Form1Context& context);
// Unload: writes "band.ini" (a file that cannot be written is reported on
// the console, as "psk.ini" is) and closes the window.
void closeBandWindow(Form1Context& context);
// The window, once it has been opened; nullptr before.
BandWindow* bandWindow(Form1Context& context);

}  // namespace quillary

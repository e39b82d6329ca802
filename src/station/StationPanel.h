#pragma once
// The station in the main window: the "Radio" button and its dialog, the
// status line beside it (the dial, the RF frequency of the receive marker,
// the keying and what went wrong), and "Open" for CAT and VOX keying. The
// radio link is polled on the window's 1000 ms timer; it never waits for
// the radio.
#include "modem/RadioLink.h"
#include "window/Form1Context.h"

class QPushButton;

namespace quillary {

// Reads radio.ini (the load sequence) and sets the radio link up. A file
// that is missing or not taken keys by serial port, and the console says so.
void loadRadioSettings(Form1Context& context);
// Takes new settings. A PTT port the modem holds is let go when they
// change, as it keys the old way: the operator presses "Open" again.
void useRadioSettings(Form1Context& context, const RadioSettings& settings);

// Whether "Open" keys through the radio link (CAT or VOX, while nothing is
// held) rather than by the comm port number.
bool opensThroughRadio(const Form1Context& context);
void openThroughRadio(Form1Context& context);

// The "Open" button's background while PTT is held.
inline constexpr int kPortHeldRed = 255, kPortHeldGreen = 192, kPortHeldBlue = 192;
void showPttHeld(QPushButton& button, bool held);

// Once a second: the dial into the shared values, the status line, and a
// PTT port the modem let go of.
void stationTick(Form1Context& context);
void connectStation(Form1Context& context);

}  // namespace quillary

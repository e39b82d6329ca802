#pragma once
// The receive tuning controls of the main window: PSK mode, preset, receive
// and transmit frequency, AFC, squelch and the spectrum's smoothing and bias.
// Each acts on the modem at once.
#include <cstdint>

#include "window/Form1Context.h"

namespace quillary {

void connectReceiveTuning(Form1Context& context);

void onModeChosen(Form1Context& context);
void onPresetChosen(Form1Context& context);
void onReceiveScroll(Form1Context& context, int value);
void onReceiveTextChanged(Form1Context& context);
void onReceiveDoubleClick(Form1Context& context);
void onTransmitScroll(Form1Context& context, int value);
void onAfcClicked(Form1Context& context, bool checked);
void onSquelchScroll(Form1Context& context, int value);
void onSpectrumModeChosen(Form1Context& context);

}  // namespace quillary

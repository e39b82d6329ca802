#pragma once
// The PTT comm port: one button opens the port typed in Combo5 in the modem
// and releases it again. The port is never opened on its own.
#include <string_view>

#include "window/Form1Context.h"
#include "window/MainState.h"
#include "station/StationPanel.h"  // the button's background while a port is held

namespace quillary {

class ModemLibrary;

enum class CommPortOutcome {
  SelectPortNumber,  // the text is below 1 or no number: nothing was called
  Refused,           // the modem did not open the port
  Opened,
  Released,
};

// One press of the button, with the text of Combo5. While a port is held the
// text is not looked at: the port that was opened is the one released.
CommPortOutcome pressCommPortButton(CommPortState& state, std::string_view comboText,
                                    ModemLibrary& modem);

void onCommPortClicked(Form1Context& context);
void connectCommPort(Form1Context& context);

}  // namespace quillary

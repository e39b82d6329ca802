#pragma once
// The macro send buttons Command9 (element i sends menu i + 1) and the same
// send from the transmit box's keys: the menu is expanded, shown in Text5
// and, as its tokens ask, the transmitter is keyed, the text queued and the
// transmitter unkeyed after it.
#include "window/Form1Context.h"

namespace quillary {

enum class MacroSendForm {
  Button,  // leaves the transmit state to the modem's reports
  Key,     // the keyboard form: a macro without "<TX>", or with "<RX>",
           // sets the transmit state to 0
};

// Sends menu k (1..7): no own-call check and no focus change, which the
// button and the key do around it.
void sendMacro(Form1Context& context, int k, MacroSendForm form);

// A click on Command9 element i: the own-call check, the send, the focus
// back to Text5.
void onMacroSendClicked(Form1Context& context, int element);
void connectMacroSendButtons(Form1Context& context);

}  // namespace quillary

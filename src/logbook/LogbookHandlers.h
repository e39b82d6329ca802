#pragma once
// The logbook in the main window: the "Log" button (and Shift+F8 in the
// transmit box) opens the entry form filled in from the contact under way;
// His Call shows whether the call was worked before; the received lines and
// the picture-QSO texts sent are followed for the form.
#include "logbook/ContactEntry.h"
#include "window/Form1Context.h"

namespace quillary {

// Makes the window's log (empty until loadLogbook) and connects it.
void connectLogbook(Form1Context& context);
// The load sequence reads quillary.adi.
void loadLogbook(Form1Context& context);

// The entry form, or the one already open brought to the front.
void openLogEntry(Form1Context& context);

// What the window knows of the contact under way, now.
ContactSoFar contactSoFar(Form1Context& context);

}  // namespace quillary

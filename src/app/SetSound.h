#pragma once
// "Set Sound": after a Yes, forgets the stored sound device and closes the
// main window, so the next start shows the device chooser again.
#include "window/Form1Context.h"

namespace quillary {

void onSetSoundClicked(Form1Context& context);
void connectSetSound(Form1Context& context);

}  // namespace quillary

#pragma once
#include "app/Form1Context.h"

namespace quillary {

// Reads the seven macro files cmd1.txt..cmd7.txt into the macro table and
// the send buttons' captions and tooltips.
// NOT BUILT YET: the macro files are not read; the buttons keep "sf1".."sf7"
// and the macro table stays empty until the macro files land.
void Menu_Set(Form1Context& context);

// Closes the macro editor if it is open (its closing writes the macro
// files). NOT BUILT YET: there is no macro editor window so far.
void closeMacroEditor(Form1Context& context);

}  // namespace quillary

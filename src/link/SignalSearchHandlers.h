#pragma once
// The "Search" check box and its timer: while searching, every tick looks
// for the strongest signal near the preset centre, tunes to it while hunting
// and holds it while its level stays above the squelch threshold.
#include "window/Form1Context.h"

namespace quillary {

void connectSignalSearch(Form1Context& context);

void onSearchClicked(Form1Context& context, bool checked);
void searchTick(Form1Context& context);

}  // namespace quillary

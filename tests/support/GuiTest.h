#pragma once
// Shared pieces of the window tests: one QApplication for the test program,
// and (through TempFolder.h) a temporary folder per test.
#include "support/TempFolder.h"

namespace quillary::testing {

// Creates the program's QApplication on first use (offscreen under CTest).
void ensureQtApplication();

}  // namespace quillary::testing

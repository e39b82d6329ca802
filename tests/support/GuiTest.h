#pragma once
// Shared pieces of the window tests: one QApplication for the test program,
// and (through TempFolder.h) a temporary folder per test.
#include <QStringList>

#include "support/TempFolder.h"

class QComboBox;

namespace quillary::testing {

// Creates the program's QApplication on first use (offscreen under CTest).
void ensureQtApplication();

// The entries of a list box, in order.
QStringList comboItems(const QComboBox& box);

}  // namespace quillary::testing

#pragma once
// Shared pieces of the window tests: one QApplication for the test program,
// and (through TempFolder.h) a temporary folder per test.
#include <QApplication>
#include <QComboBox>
#include <QStringList>

#include "app/FontSubstitutes.h"
#include "support/TempFolder.h"

namespace quillary::testing {

// Creates the program's QApplication on first use (offscreen under CTest).
inline void ensureQtApplication() {
  if (QApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "quillary_test";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt's test helpers keep objects that must not outlive it.
  new QApplication(argc, argv);
  installFontSubstitutes();
  // Closing a test's window must not end the test program's event handling.
  QApplication::setQuitOnLastWindowClosed(false);
}

// The entries of a list box, in order.
inline QStringList comboItems(const QComboBox& box) {
  QStringList list;
  for (int i = 0; i < box.count(); ++i) list << box.itemText(i);
  return list;
}

}  // namespace quillary::testing

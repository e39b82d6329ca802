#pragma once
#include <QApplication>
#include <QComboBox>
#include <QStringList>
#include <ostream>

#include "app/FontSubstitutes.h"
#include "support/TempFolder.h"

// Failures show texts, not their bytes.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) { *out << texts.join(" | ").toStdString(); }

namespace quillary::testing {

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

inline QStringList comboItems(const QComboBox& box) {
  QStringList list;
  for (int i = 0; i < box.count(); ++i) list << box.itemText(i);
  return list;
}

}  // namespace quillary::testing

#pragma once
// Widgets driven as an operator drives them: real key presses and mouse
// clicks on text boxes, lists and scroll bars; and the one QApplication.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStringList>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTextCursor>
#include <QWheelEvent>
#include <gtest/gtest.h>
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

// Selects the box's text and types `text` over it, one key at a time.
inline void retype(QLineEdit* box, const QString& text) {
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, text);
}

// Opens the box's list and clicks the item.
inline void pickItem(QComboBox* box, const QString& item) {
  box->showPopup();
  QAbstractItemView* view = box->view();
  const int row = box->findText(item);
  ASSERT_GE(row, 0) << item.toStdString();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(row, 0)).center());
}

// Types `text` over the box's text and presses Return. The box's completer
// may complete it to an item of the list, as it would for the operator.
inline void typeInto(QComboBox* box, const QString& text) {
  retype(box->lineEdit(), text);
  QTest::keyClick(box->lineEdit(), Qt::Key_Return);
}

// Double click on the middle character of the first `word` in the box.
inline void doubleClickOnWord(QPlainTextEdit& box, const QString& word) {
  const qsizetype found = box.toPlainText().indexOf(word);
  ASSERT_GE(found, 0) << word.toStdString();
  QTextCursor cursor(box.document());
  cursor.setPosition(static_cast<int>(found + word.size() / 2));
  const QPoint left = box.cursorRect(cursor).center();
  cursor.movePosition(QTextCursor::NextCharacter);
  const QPoint right = box.cursorRect(cursor).center();
  QTest::mouseDClick(box.viewport(), Qt::LeftButton, {}, (left + right) / 2);
}

// The rectangle of `part` (SC_ScrollBarAddLine, SC_ScrollBarSlider, ...) in
// the bar's own coordinates, from the options the bar draws itself with.
inline QRect scrollBarPart(const QScrollBar& bar, QStyle::SubControl part) {
  struct Options : QScrollBar {
    static auto init() { return &Options::initStyleOption; }  // protected in QScrollBar
  };
  QStyleOptionSlider option;
  (bar.*Options::init())(&option);
  return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar);
}

inline void clickScrollBarPart(QScrollBar& bar, QStyle::SubControl part) {
  QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, scrollBarPart(bar, part).center());
}

// One notch of the mouse wheel; `towardsOperator` scrolls a page down.
inline void wheelScrollBar(QScrollBar& bar, bool towardsOperator) {
  const QPointF at = QRectF(bar.rect()).center();
  QWheelEvent wheel(at, bar.mapToGlobal(at), QPoint(), QPoint(0, towardsOperator ? -120 : 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&bar, &wheel);
}


}  // namespace quillary::testing

#pragma once
// What an operator does to text boxes, as real key and mouse events.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace quillary::testing {

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

}  // namespace quillary::testing

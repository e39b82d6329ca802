#include "link/PlainTextReceiveArea.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace quillary {

namespace {
// Document positions to drop from the front so that `keep` characters,
// line ends counted as CR LF, are left. A cut that falls inside a line end
// keeps the whole line end.
qsizetype frontToDrop(const QString& plain, qsizetype keep) {
  qsizetype kept = 0;
  qsizetype position = plain.size();
  while (position > 0 && kept < keep) {
    kept += plain.at(position - 1) == u'\n' ? 2 : 1;
    --position;
  }
  return position;
}
}  // namespace

PlainTextReceiveArea::PlainTextReceiveArea(QPlainTextEdit& box) : box_(box) {
  box_.document()->setUndoRedoEnabled(false);
}

qsizetype PlainTextReceiveArea::length() const {
  const QTextDocument* document = box_.document();
  // characterCount() includes the final paragraph mark; each further block
  // starts after a line end that stands for two characters.
  return document->characterCount() - 1 + (document->blockCount() - 1);
}

void PlainTextReceiveArea::keepLast(qsizetype count) {
  const qsizetype drop = frontToDrop(box_.toPlainText(), count);
  if (drop > 0) {
    QTextCursor cursor(box_.document());
    cursor.setPosition(static_cast<int>(drop), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
  }
  showEnd();
}

void PlainTextReceiveArea::append(const QString& text) {
  QTextCursor cursor = box_.textCursor();
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(text);
  box_.setTextCursor(cursor);
}

void PlainTextReceiveArea::removeLast() {
  QTextCursor cursor = box_.textCursor();
  cursor.movePosition(QTextCursor::End);
  cursor.deletePreviousChar();
  box_.setTextCursor(cursor);
}

void PlainTextReceiveArea::showEnd() {
  QTextCursor cursor = box_.textCursor();
  cursor.movePosition(QTextCursor::End);
  box_.setTextCursor(cursor);
}

}  // namespace quillary

#include "receive/CallCapture.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include "macros/NameLog.h"
#include "window/EventWatch.h"
#include "window/Form1Context.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/TwipsWindow.h"

namespace quillary {

namespace {

bool isBlank(QChar c) { return c.isSpace(); }

}  // namespace

QString callFromWord(const QString& word) {
  const QString w = word.trimmed();
  const qsizetype colon = w.indexOf(QLatin1Char(':'));
  const qsizetype slash = w.indexOf(QLatin1Char('/'));
  if (colon >= 0 && slash > colon) return w.mid(colon + 1, slash - colon - 1);
  return w;
}

QString selectWordAt(QPlainTextEdit& box, const QPoint& position) {
  QTextCursor cursor = box.cursorForPosition(position);
  const QString line = cursor.block().text();
  const int blockStart = cursor.block().position();
  int start = cursor.position() - blockStart;
  // The pointer stands between two characters; the word is the one it is
  // on, or the one it ends when it stands right after a word.
  if (start >= line.size() || isBlank(line.at(start))) {
    if (start == 0 || isBlank(line.at(start - 1))) start = -1;
    else --start;
  }
  if (start < 0) {
    cursor.clearSelection();
    box.setTextCursor(cursor);
    return QString();
  }
  int end = start;
  while (start > 0 && !isBlank(line.at(start - 1))) --start;
  while (end < line.size() && !isBlank(line.at(end))) ++end;
  cursor.setPosition(blockStart + start);
  cursor.setPosition(blockStart + end, QTextCursor::KeepAnchor);
  box.setTextCursor(cursor);
  return cursor.selectedText();
}

void setHisCall(Form1Context& context, const QString& call) {
  QLineEdit& box = *context.controls.Text27;
  // An unchanged text gives no change signal, yet the log may have changed.
  if (box.text() == call) lookUpHisName(context);
  else box.setText(call);
}

void lookUpHisName(Form1Context& context) {
  Read_Name_Init(context);
  Check_Name(context);
}

void connectCallCapture(Form1Context& context) {
  Form1Controls& c = context.controls;
  QObject::connect(c.Text27, &QLineEdit::textChanged, &context.window,
                   [&context] { lookUpHisName(context); });
  watchEvents(*c.Text27, QEvent::MouseButtonDblClick, [&context](QEvent&) {
    setHisCall(context, QStringLiteral("ALL"));
    return true;
  });
  // The box's own double click would select a word that ends at ":" or "/";
  // the call is taken from the blank-delimited word instead.
  watchEvents(*c.Term->viewport(), QEvent::MouseButtonDblClick, [&context](QEvent& event) {
    const QPoint at = static_cast<QMouseEvent&>(event).position().toPoint();
    setHisCall(context, callFromWord(selectWordAt(*context.controls.Term, at)));
    return true;
  });
}

}  // namespace quillary

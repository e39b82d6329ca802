#include "transmit/TransmitBox.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "common/CodePage.h"
#include "modem/ModemLibrary.h"

namespace quillary {

QString transmitBoxText(const QPlainTextEdit& box) {
  QString text = box.toPlainText();
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

void setTransmitBoxText(QPlainTextEdit& box, const QString& text) { box.setPlainText(text); }

void moveCaretToEnd(QPlainTextEdit& box) {
  box.moveCursor(QTextCursor::End);
  box.ensureCursorVisible();
}

void appendToTransmitBox(QPlainTextEdit& box, const QString& text) {
  moveCaretToEnd(box);
  box.insertPlainText(text);
  box.ensureCursorVisible();
}

void sendToModem(ModemLibrary& modem, const QString& text) {
  modem.fnSendTXString(toCodePage(text.toStdString(), systemCodePage()));
}

}  // namespace quillary

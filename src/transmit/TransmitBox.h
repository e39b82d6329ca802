#pragma once
// The transmit box Text5 as the transmit actions see it, and text handed to
// the modem. The box keeps a line end as a paragraph break; read back, every
// break is CR LF, as the texts the program builds have them.
#include <QString>

class QPlainTextEdit;

namespace quillary {

class ModemLibrary;

// The box's text with its line ends as CR LF.
QString transmitBoxText(const QPlainTextEdit& box);
// Replaces the box's text; the caret stands at the start of the text.
void setTransmitBoxText(QPlainTextEdit& box, const QString& text);
// Caret to the end of the text, which the box scrolls into view.
void moveCaretToEnd(QPlainTextEdit& box);
// Caret to the end, then `text` inserted there.
void appendToTransmitBox(QPlainTextEdit& box, const QString& text);

// Queues `text` in the modem, in the system code page (a double-byte
// character becomes two bytes).
void sendToModem(ModemLibrary& modem, const QString& text);

}  // namespace quillary

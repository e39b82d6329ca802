#pragma once
// The other station's call in Text27: taken with a double click on it in
// the receive area, put back to "ALL" with a double click on the box, and
// looked up in the name log at every change.
#include <QString>

#include "window/Form1Context.h"

class QPlainTextEdit;
class QPoint;

namespace quillary {

// The call a double-clicked word holds: the text strictly between its first
// ":" and a first "/" standing after it (":OTHER/PHOTO" gives "OTHER"),
// otherwise the whole word; blanks around the word are dropped.
QString callFromWord(const QString& word);

// The blank-delimited word at `position` of the box (its viewport
// coordinates), selected in the box as the operator sees it taken; empty
// when the position is on a blank.
QString selectWordAt(QPlainTextEdit& box, const QPoint& position);

// Text27 becomes `call`; the name look-up runs also when the text is the
// one the box already holds.
void setHisCall(Form1Context& context, const QString& call);
// The name log is read again and the call in Text27 looked up.
void lookUpHisName(Form1Context& context);

void connectCallCapture(Form1Context& context);

}  // namespace quillary

#pragma once
// The texts of the picture-QSO actions, built from the two calls (as typed)
// and, for GD COPY, the best IMD reading. Every line ends with CR LF and
// every text begins with an empty line.
#include <QString>
#include <cstdint>

namespace quillary {

// The own call with one trailing digit removed ("N0CALL7" -> "N0CALL"); the
// HYBRID command line carries it.
QString callBase(const QString& ownCall);
// The report of GD COPY: the best IMD reading, -10 while there is none
// (9999), written " 12" or "-10".
QString signalReport(int16_t bestImd);

QString hybridText(const QString& ownCall, const QString& otherCall);
QString photoText(const QString& ownCall, const QString& otherCall);
QString htmlText(const QString& ownCall, const QString& otherCall);
QString goodCopyText(const QString& ownCall, const QString& otherCall, int16_t bestImd);
// The call header TX puts before the typed text.
QString overHeader(const QString& ownCall, const QString& otherCall);
QString overEndText(const QString& ownCall, const QString& otherCall);
// 73 from the button; `keyboardForm` gives the closing words of the key.
QString finalText(const QString& ownCall, const QString& otherCall, bool keyboardForm);
QString cqText(const QString& ownCall);

}  // namespace quillary

#pragma once
// What the log reads in the texts of a picture QSO: the signal report of a
// GD COPY line and the picture command lines.
#include <QString>
#include <QStringList>
#include <optional>

namespace quillary {

// The report of a "GOOD COPY SNR=" + number + "dB" line, as a number:
// " 12" gives "12", "-10" gives "-10". nullopt for any other line (a
// garbled report included).
std::optional<QString> reportIn(const QString& line);

// The last report in a text of several lines.
std::optional<QString> lastReportIn(const QString& text);

// The picture command lines of a text of several lines (":N0CALL/PHOTO"),
// upper-cased as they are handed over, each once, in order.
QStringList commandsIn(const QString& text);

// The log's comment on the pictures of a contact:
// "sent :N0CALL/PHOTO; received :JA1XYZ/HYBRID"; empty when there were none.
QString picturesComment(const QStringList& sent, const QStringList& received);

}  // namespace quillary

#include "logbook/ContactEntry.h"

#include "logbook/Band.h"
#include "logbook/ContactTexts.h"

namespace quillary {

namespace {

struct Submode {
  int32_t code;
  const char* name;
};
constexpr Submode kSubmodes[] = {{0, "PSK31"}, {8, "PSK63"},  {16, "PSK125"},
                                 {1, "QPSK31"}, {9, "QPSK63"}, {17, "QPSK125"}};

// ADIF's text fields hold one line.
std::string oneLine(const QString& text) {
  QString line = text;
  line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  return line.trimmed().toStdString();
}

QString withoutPlaceholder(const QString& text, const QString& placeholder) {
  const QString trimmed = text.trimmed();
  return trimmed == placeholder ? QString() : trimmed;
}

void setTimes(LogRecord& record, const QDateTime& start, const QDateTime& end) {
  record.set("QSO_DATE", start.toUTC().toString(QStringLiteral("yyyyMMdd")).toStdString());
  record.set("TIME_ON", start.toUTC().toString(QStringLiteral("HHmmss")).toStdString());
  record.set("QSO_DATE_OFF", end.toUTC().toString(QStringLiteral("yyyyMMdd")).toStdString());
  record.set("TIME_OFF", end.toUTC().toString(QStringLiteral("HHmmss")).toStdString());
}

}  // namespace

QString submodeOf(int32_t modeCode) {
  for (const Submode& s : kSubmodes) {
    if (s.code == modeCode) return QString::fromLatin1(s.name);
  }
  return QStringLiteral("PSK31");
}

QStringList pskSubmodes() {
  QStringList names;
  for (const Submode& s : kSubmodes) names << QString::fromLatin1(s.name);
  return names;
}

ContactEntry draftOf(const ContactSoFar& known) {
  ContactEntry entry;
  entry.call = withoutPlaceholder(known.hisCall, QStringLiteral("ALL")).toUpper();
  entry.name = withoutPlaceholder(known.hisName, QStringLiteral("OM"));
  entry.start = known.callSetAt.value_or(known.now).toUTC();
  entry.end = known.now.toUTC();
  entry.submode = submodeOf(known.modeCode);
  if (known.frequencyHz) entry.frequencyMhz = QString::fromStdString(megahertzText(*known.frequencyHz));
  const QString sent = known.sentTexts.join(QStringLiteral("\r\n"));
  entry.reportSent = lastReportIn(sent).value_or(QString());
  entry.reportReceived = known.reportReceived.value_or(QString());
  entry.ownCall = known.ownCall.trimmed().toUpper();
  entry.pictures = picturesComment(commandsIn(sent), known.commandsReceived);
  return entry;
}

RecordOrProblem recordOf(const ContactEntry& entry) {
  const std::string call = oneLine(entry.call.toUpper());
  if (call.empty()) return {std::nullopt, QStringLiteral("Input his call sign")};
  std::optional<int64_t> hz;
  if (!entry.frequencyMhz.trimmed().isEmpty()) {
    hz = hertzOfMegahertz(entry.frequencyMhz.toStdString());
    if (!hz) return {std::nullopt, QStringLiteral("The frequency is in MHz, such as 14.0716")};
  }
  if (entry.end < entry.start) return {std::nullopt, QStringLiteral("The end is before the start")};
  LogRecord record;
  record.set("CALL", call);
  setTimes(record, entry.start, entry.end);
  record.set("MODE", "PSK");
  record.set("SUBMODE", entry.submode.toStdString());
  if (hz) {
    record.set("FREQ", megahertzText(*hz));
    record.set("BAND", bandOf(*hz).value_or(""));
  }
  record.set("RST_SENT", oneLine(entry.reportSent));
  record.set("RST_RCVD", oneLine(entry.reportReceived));
  record.set("NAME", oneLine(entry.name));
  record.set("STATION_CALLSIGN", oneLine(entry.ownCall.toUpper()));
  QStringList comment;
  for (const QString& part : {entry.pictures.trimmed(), entry.comment.trimmed()}) {
    if (!part.isEmpty()) comment << part;
  }
  record.set("COMMENT", oneLine(comment.join(QStringLiteral("; "))));
  return {std::move(record), QString()};
}

}  // namespace quillary

#include "logbook/RecordEdit.h"

#include <QDate>
#include <QTime>

#include "logbook/Band.h"

namespace quillary {

namespace {

bool validTime(const QString& text) {
  if (text.size() == 4) return QTime::fromString(text, QStringLiteral("HHmm")).isValid();
  return text.size() == 6 && QTime::fromString(text, QStringLiteral("HHmmss")).isValid();
}

// Every contact keeps its call, date and start time; the other fields may
// be emptied.
std::optional<QString> problemWith(const std::string& field, const QString& value) {
  if (value.isEmpty()) {
    if (field == "CALL" || field == "QSO_DATE" || field == "TIME_ON")
      return QStringLiteral("A contact needs his call, its date and its time");
    return std::nullopt;
  }
  if ((field == "QSO_DATE" || field == "QSO_DATE_OFF") &&
      !QDate::fromString(value, QStringLiteral("yyyyMMdd")).isValid())
    return QStringLiteral("A date is written YYYYMMDD, such as 20240501");
  if ((field == "TIME_ON" || field == "TIME_OFF") && !validTime(value))
    return QStringLiteral("A time is written HHMM or HHMMSS, such as 1432");
  if (field == "FREQ" && !hertzOfMegahertz(value.toStdString()))
    return QStringLiteral("The frequency is in MHz, such as 14.0716");
  return std::nullopt;
}

}  // namespace

EditResult editedRecord(const LogRecord& record, const std::string& field, const QString& typed) {
  QString value = typed;
  value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  value = value.trimmed();
  if (field == "CALL") value = value.toUpper();
  if (const auto problem = problemWith(field, value)) return {std::nullopt, *problem};
  LogRecord edited = record;
  if (field == "FREQ" && !value.isEmpty()) {
    const int64_t hz = *hertzOfMegahertz(value.toStdString());
    edited.set("FREQ", megahertzText(hz));
    if (const auto band = bandOf(hz)) edited.set("BAND", *band);
  } else {
    edited.set(field, value.toStdString());
  }
  return {std::move(edited), QString()};
}

}  // namespace quillary

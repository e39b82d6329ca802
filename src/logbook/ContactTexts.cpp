#include "logbook/ContactTexts.h"

#include <QRegularExpression>

#include "receive/CommandForwarding.h"

namespace quillary {

namespace {

QStringList linesOf(const QString& text) {
  static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
  return text.split(lineEnd, Qt::SkipEmptyParts);
}

}  // namespace

std::optional<QString> reportIn(const QString& line) {
  static const QRegularExpression report(QStringLiteral("GOOD COPY SNR= ?(-?\\d{1,3}) ?dB"));
  const QRegularExpressionMatch match = report.match(line);
  if (!match.hasMatch()) return std::nullopt;
  return match.captured(1);
}

std::optional<QString> lastReportIn(const QString& text) {
  std::optional<QString> last;
  for (const QString& line : linesOf(text)) {
    if (auto report = reportIn(line)) last = report;
  }
  return last;
}

QStringList commandsIn(const QString& text) {
  QStringList commands;
  for (const QString& line : linesOf(text)) {
    const auto command = pictureCommandIn(line, std::nullopt);
    if (command && !commands.contains(*command)) commands << *command;
  }
  return commands;
}

QString picturesComment(const QStringList& sent, const QStringList& received) {
  QStringList parts;
  if (!sent.isEmpty()) parts << QStringLiteral("sent ") + sent.join(QLatin1Char(' '));
  if (!received.isEmpty()) parts << QStringLiteral("received ") + received.join(QLatin1Char(' '));
  return parts.join(QStringLiteral("; "));
}

}  // namespace quillary

#include "picture/PictureTexts.h"

#include <initializer_list>

#include "common/Numbers.h"
#include "window/ImdStatistics.h"

namespace quillary {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// An empty first line, then each line with its CR LF.
QString lines(std::initializer_list<QString> body) {
  QString text = kLineEnd;
  for (const QString& line : body) text += line + kLineEnd;
  return text;
}

QString deLine(const QString& ownCall, const QString& otherCall) {
  return otherCall + QStringLiteral(" de ") + ownCall;
}

QString overLine(const QString& ownCall, const QString& otherCall) {
  return deLine(ownCall, otherCall) + QStringLiteral(" pse k k k");
}

QString commandText(const QString& word, const QString& call, const QString& ownCall,
                    const QString& otherCall) {
  const QString command = QStringLiteral(":") + call + QStringLiteral("/") + word;
  return lines({QStringLiteral("***** %1 COMMAND *****").arg(word), command, command,
                overLine(ownCall, otherCall)});
}

}  // namespace

QString callBase(const QString& ownCall) {
  if (!ownCall.isEmpty() && ownCall.back() >= QLatin1Char('0') && ownCall.back() <= QLatin1Char('9')) {
    return ownCall.left(ownCall.size() - 1);
  }
  return ownCall;
}

QString signalReport(int16_t bestImd) {
  const int16_t report = bestImd == ImdStatistics::kNoBest ? int16_t{-10} : bestImd;
  return QString::fromStdString(signedStyle(report));
}

QString hybridText(const QString& ownCall, const QString& otherCall) {
  return commandText(QStringLiteral("HYBRID"), callBase(ownCall), ownCall, otherCall);
}

QString photoText(const QString& ownCall, const QString& otherCall) {
  return commandText(QStringLiteral("PHOTO"), ownCall, ownCall, otherCall);
}

QString htmlText(const QString& ownCall, const QString& otherCall) {
  return commandText(QStringLiteral("HTML"), ownCall, ownCall, otherCall);
}

QString goodCopyText(const QString& ownCall, const QString& otherCall, int16_t bestImd) {
  return lines({deLine(ownCall, otherCall),
                QStringLiteral("GOOD COPY SNR=") + signalReport(bestImd) + QStringLiteral("dB"),
                overLine(ownCall, otherCall)});
}

QString overHeader(const QString& ownCall, const QString& otherCall) {
  return lines({deLine(ownCall, otherCall)});
}

QString overEndText(const QString& ownCall, const QString& otherCall) {
  return lines({overLine(ownCall, otherCall)});
}

QString finalText(const QString& ownCall, const QString& otherCall, bool keyboardForm) {
  const QString closing = keyboardForm ? QStringLiteral("  73 TU sk sk") : QStringLiteral(" 73 tu sk sk");
  return lines({deLine(ownCall, otherCall) + closing});
}

QString cqText(const QString& ownCall) {
  const QString call = QStringLiteral("CQ CQ CQ Picture de ") + ownCall + QStringLiteral(" ") + ownCall;
  return lines({call, call, ownCall + QStringLiteral(" CQ pse k k k")});
}

}  // namespace quillary

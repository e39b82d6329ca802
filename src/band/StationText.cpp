#include "band/StationText.h"

#include <QRegularExpression>

#include "receive/CallCapture.h"
#include "receive/CommandForwarding.h"

namespace quillary {

namespace {

// A prefix (one or two letters, a letter and a digit, or a digit and a
// letter), one or two digits, one to four letters, and perhaps "/P".
const QRegularExpression kCallShape(
    QStringLiteral("^(?:[A-Z]{1,2}|[A-Z][0-9]|[0-9][A-Z])[0-9]{1,2}[A-Z]{1,4}(?:/[A-Z0-9]{1,4})?$"));
// What follows "de" is taken as a call when it could be one at all.
const QRegularExpression kCallCharacters(QStringLiteral("^[A-Z0-9/]{3,12}$"));

QString withoutPunctuation(QString word) {
  while (!word.isEmpty() && QStringLiteral(",.;!?").contains(word.back())) word.chop(1);
  return word;
}

}  // namespace

QStringList callsInLine(const QString& line) {
  QStringList calls;
  const auto add = [&calls](const QString& call) {
    calls.removeAll(call);
    calls << call;
  };
  bool afterDe = false;
  for (const QString& raw : line.toUpper().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const QString word = withoutPunctuation(raw);
    const QString call = callFromWord(word);
    const bool named = call != word;  // a picture command: the call between ":" and "/"
    if ((named || afterDe) && kCallCharacters.match(call).hasMatch()) add(call);
    else if (kCallShape.match(word).hasMatch()) add(word);
    afterDe = word == QStringLiteral("DE");
  }
  return calls;
}

void StationText::take(std::string_view bytes) {
  for (const char c : bytes) {
    const auto byte = static_cast<uint8_t>(c);
    if (byte == '\r') endLine();
    else if (byte == '\b') line_.chop(1);
    else if (byte >= ' ') line_ += QString::fromStdString(singleByteChar(byte, page_));
  }
  if (line_.size() > kLineLimit) line_ = line_.right(kLineLimit);
  // The words of the line in progress count once a blank ends them, so a
  // long line shows its calls before it ends.
  if (const qsizetype blank = line_.lastIndexOf(QLatin1Char(' ')); blank > 0) noteCalls(line_.left(blank));
}

void StationText::endLine() {
  if (line_.trimmed().isEmpty()) return;
  lastComplete_ = line_;
  line_.clear();
  noteCalls(lastComplete_);
  if (auto command = pictureCommandIn(lastComplete_, std::nullopt)) command_ = std::move(command);
}

void StationText::noteCalls(const QString& line) {
  for (const QString& call : callsInLine(line)) {
    calls_.removeAll(call);
    calls_ << call;
  }
  while (calls_.size() > kCallsKept) calls_.removeFirst();
}

}  // namespace quillary

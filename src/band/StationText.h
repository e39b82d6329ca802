#pragma once
// What one station on the band has printed, as the band list shows it: the
// line in progress (or the last one, when a line has just ended), the call
// signs seen in its text, and the last picture command it sent (by the rules
// the receive area's lines are forwarded by).
#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

#include "common/CodePage.h"

namespace quillary {

// The call signs in a line, each once where it last stands: words shaped
// like a call sign (DL1ABC, 9A2XY, N0CALL/P), the word after "de" whatever
// its shape, and the call a picture command names (":QX1AB/PHOTO" gives
// QX1AB, as a double click on it in the receive area does).
QStringList callsInLine(const QString& line);

class StationText {
 public:
  // The line in progress is cut to its last kLineLimit characters.
  static constexpr qsizetype kLineLimit = 200;
  static constexpr qsizetype kCallsKept = 4;

  explicit StationText(CodePage page = CodePage::Cp1252) : page_(page) {}

  // Bytes as the channel decoded them: CR ends a line, backspace takes a
  // character back, other control characters are dropped.
  void take(std::string_view bytes);

  // The line being printed; the last complete one while that is empty.
  QString lastLine() const { return line_.isEmpty() ? lastComplete_ : line_; }
  // The latest kCallsKept calls seen, the newest last.
  const QStringList& calls() const { return calls_; }
  const std::optional<QString>& command() const { return command_; }

 private:
  void endLine();
  void noteCalls(const QString& line);

  CodePage page_;
  QString line_;
  QString lastComplete_;
  QStringList calls_;
  std::optional<QString> command_;
};

}  // namespace quillary

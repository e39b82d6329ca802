#include "support/FakeDialogs.h"

#include <QStringList>

namespace quillary::testing {

Dialogs::Answer FakeDialogs::message(const QString& text, Buttons buttons) {
  shown.push_back({text, buttons});
  if (buttons == Buttons::Ok) return Answer::Ok;
  if (answers.empty()) return Answer::No;
  const Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<QString> FakeDialogs::openFile(const QString&, const QString&, const QString&) {
  if (files.empty()) return std::nullopt;
  const QString file = files.front();
  files.pop_front();
  if (file.isEmpty()) return std::nullopt;
  return file;
}

std::optional<QFont> FakeDialogs::chooseFont(const QFont&) {
  if (fonts.empty()) return std::nullopt;
  std::optional<QFont> font = std::move(fonts.front());
  fonts.pop_front();
  return font;
}

QStringList FakeDialogs::texts() const {
  QStringList result;
  for (const Shown& box : shown) result << box.text;
  return result;
}

}  // namespace quillary::testing

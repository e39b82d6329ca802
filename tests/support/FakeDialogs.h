#pragma once
// Every message box is recorded; Yes/No boxes take scripted answers (No
// when none is left).
#include <QStringList>
#include <deque>
#include <vector>

#include "window/Dialogs.h"

namespace quillary::testing {

class FakeDialogs : public Dialogs {
 public:
  struct Shown {
    QString text;
    Buttons buttons;
  };

  std::vector<Shown> shown;
  std::deque<Answer> answers;              // for Yes/No boxes
  std::deque<QString> files;               // for file dialogs; an empty text, or none left, is a cancel
  std::deque<std::optional<QFont>> fonts;  // for font dialogs (cancel when empty)

  Answer message(const QString& text, Buttons buttons) override {
    shown.push_back({text, buttons});
    return buttons == Buttons::Ok ? Answer::Ok : next(answers).value_or(Answer::No);
  }
  std::optional<QString> openFile(const QString&, const QString&, const QString&) override {
    std::optional<QString> file = next(files);
    return file && !file->isEmpty() ? file : std::nullopt;
  }
  std::optional<QString> saveFile(const QString& title, const QString& path, const QString& filter) override {
    return openFile(title, path, filter);
  }
  std::optional<QFont> chooseFont(const QFont&) override { return next(fonts).value_or(std::nullopt); }

  QStringList texts() const {
    QStringList result;
    for (const Shown& box : shown) result << box.text;
    return result;
  }

 private:
  template <class T>
  static std::optional<T> next(std::deque<T>& queue) {
    if (queue.empty()) return std::nullopt;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
  }
};

}  // namespace quillary::testing

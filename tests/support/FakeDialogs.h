#pragma once
// Dialogs answered by the test: every message box is recorded with its
// buttons; Yes/No boxes take scripted answers (No when none is left).
#include <deque>
#include <vector>

#include "app/Dialogs.h"

namespace quillary::testing {

class FakeDialogs : public Dialogs {
 public:
  struct Shown {
    QString text;
    Buttons buttons;
  };

  std::vector<Shown> shown;
  std::deque<Answer> answers;             // for Yes/No boxes
  std::deque<QString> files;  // for file dialogs; an empty text, or none left, is a cancel
  std::deque<std::optional<QFont>> fonts;    // for font dialogs (cancel when empty)

  Answer message(const QString& text, Buttons buttons) override;
  std::optional<QString> openFile(const QString& title, const QString& initialFolder,
                                  const QString& filter) override;
  std::optional<QFont> chooseFont(const QFont& initial) override;

  // The texts of the message boxes shown, in order.
  QStringList texts() const;
};

}  // namespace quillary::testing

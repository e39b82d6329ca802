#pragma once
// The dialogs the program shows: message boxes (always titled "Quillary"),
// the file-open dialog and the font dialog. Behind one interface so tests
// answer them and record what was shown.
#include <QFont>
#include <QString>
#include <optional>

namespace quillary {

class Dialogs {
 public:
  enum class Buttons { Ok, YesNo };
  enum class Answer { Ok, Yes, No };

  virtual ~Dialogs() = default;

  virtual Answer message(const QString& text, Buttons buttons) = 0;
  // The chosen file's full path, or nullopt when the operator cancelled.
  // `filter` is a Qt name filter such as "Name File (name.txt)".
  virtual std::optional<QString> openFile(const QString& title, const QString& initialFolder,
                                          const QString& filter) = 0;
  // The path to write to, chosen or typed; nullopt when the operator cancelled.
  virtual std::optional<QString> saveFile(const QString& title, const QString& suggestedPath,
                                          const QString& filter) = 0;
  // The chosen font, or nullopt when the operator cancelled.
  virtual std::optional<QFont> chooseFont(const QFont& initial) = 0;
};

}  // namespace quillary

#pragma once
// The dialogs of the running program: Qt's message box, file and font dialogs.
#include "window/Dialogs.h"

class QWidget;

namespace quillary {

class QtDialogs : public Dialogs {
 public:
  // Dialogs are centred on `parent` when it is set.
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  Answer message(const QString& text, Buttons buttons) override;
  std::optional<QString> openFile(const QString& title, const QString& initialFolder,
                                  const QString& filter) override;
  std::optional<QString> saveFile(const QString& title, const QString& suggestedPath,
                                  const QString& filter) override;
  std::optional<QFont> chooseFont(const QFont& initial) override;

 private:
  QWidget* parent_;
};

}  // namespace quillary

#include "app/QtDialogs.h"

#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace quillary {

namespace {
const QString kTitle = QStringLiteral("Quillary");
}

Dialogs::Answer QtDialogs::message(const QString& text, Buttons buttons) {
  if (buttons == Buttons::Ok) {
    QMessageBox::information(parent_, kTitle, text, QMessageBox::Ok);
    return Answer::Ok;
  }
  const auto pressed =
      QMessageBox::question(parent_, kTitle, text, QMessageBox::Yes | QMessageBox::No);
  return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

std::optional<QString> QtDialogs::openFile(const QString& title, const QString& initialFolder,
                                           const QString& filter) {
  const QString chosen = QFileDialog::getOpenFileName(parent_, title, initialFolder, filter);
  if (chosen.isEmpty()) return std::nullopt;
  return chosen;
}

std::optional<QString> QtDialogs::saveFile(const QString& title, const QString& suggestedPath,
                                           const QString& filter) {
  const QString chosen = QFileDialog::getSaveFileName(parent_, title, suggestedPath, filter);
  if (chosen.isEmpty()) return std::nullopt;
  return chosen;
}

std::optional<QFont> QtDialogs::chooseFont(const QFont& initial) {
  bool accepted = false;
  const QFont chosen = QFontDialog::getFont(&accepted, initial, parent_);
  if (!accepted) return std::nullopt;
  return chosen;
}

}  // namespace quillary

#pragma once
// Creates the main window's controls: named, placed in twips, with their
// design-time caption or text and font. A missing font means the control
// takes its container's font.
#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

#include "window/TwipsScale.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;

namespace quillary {

class FrequencyScrollBar;
class PictureBox;

using DesignFont = std::optional<QFont>;

// Design-time fonts of the controls are bold.
QFont designFont(const QString& family, double points);

class ControlMaker {
 public:
  explicit ControlMaker(TwipsScale scale) : scale_(scale) {}

  QLabel* label(QWidget* parent, const char* name, const QString& caption, TwipsRect at,
                const DesignFont& font) const;
  QPushButton* button(QWidget* parent, const char* name, const QString& caption, TwipsRect at,
                      const DesignFont& font) const;
  QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, TwipsRect at,
                      const DesignFont& font) const;
  QLineEdit* textBox(QWidget* parent, const char* name, const QString& text, TwipsRect at,
                     const DesignFont& font) const;
  QPlainTextEdit* multiLineBox(QWidget* parent, const char* name, const QString& text,
                               TwipsRect at, const DesignFont& font) const;
  // An editable combo box showing `text` over `items`.
  QComboBox* comboBox(QWidget* parent, const char* name, const QString& text,
                      const QStringList& items, TwipsRect at, const DesignFont& font) const;
  QGroupBox* frame(QWidget* parent, const char* name, const QString& caption, TwipsRect at,
                   const DesignFont& font) const;
  // A vertical scroll bar running from `topValue` at the top to the larger
  // `bottomValue` at the bottom.
  QScrollBar* scrollBar(QWidget* parent, const char* name, int topValue, int bottomValue,
                        TwipsRect at) const;
  // A vertical scroll bar for a frequency, `topHz` at the top.
  FrequencyScrollBar* frequencyScrollBar(QWidget* parent, const char* name, int topHz,
                                         int bottomHz, TwipsRect at) const;
  PictureBox* picture(QWidget* parent, const char* name, TwipsRect at,
                      const QColor& background) const;

 private:
  template <class W>
  W* placed(W* widget, const char* name, TwipsRect at, const DesignFont& font) const;

  TwipsScale scale_;
};

}  // namespace quillary

#include "window/ControlMaker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "window/FrequencyScrollBar.h"
#include "window/PictureBox.h"

namespace quillary {

QFont designFont(const QString& family, double points) {
  QFont font(family);
  font.setPointSizeF(points);
  font.setBold(true);
  return font;
}

template <class W>
W* ControlMaker::placed(W* widget, const char* name, TwipsRect at, const DesignFont& font) const {
  widget->setObjectName(QString::fromLatin1(name));
  scale_.place(*widget, at);
  if (font) widget->setFont(*font);
  return widget;
}

QLabel* ControlMaker::label(QWidget* parent, const char* name, const QString& caption,
                            TwipsRect at, const DesignFont& font) const {
  return placed(new QLabel(caption, parent), name, at, font);
}

QPushButton* ControlMaker::button(QWidget* parent, const char* name, const QString& caption,
                                  TwipsRect at, const DesignFont& font) const {
  auto* button = placed(new QPushButton(caption, parent), name, at, font);
  // Buttons show their state by colour (the comm port); the palette is used.
  button->setAutoFillBackground(true);
  return button;
}

QCheckBox* ControlMaker::checkBox(QWidget* parent, const char* name, const QString& caption,
                                  TwipsRect at, const DesignFont& font) const {
  return placed(new QCheckBox(caption, parent), name, at, font);
}

QLineEdit* ControlMaker::textBox(QWidget* parent, const char* name, const QString& text,
                                 TwipsRect at, const DesignFont& font) const {
  return placed(new QLineEdit(text, parent), name, at, font);
}

QPlainTextEdit* ControlMaker::multiLineBox(QWidget* parent, const char* name, const QString& text,
                                           TwipsRect at, const DesignFont& font) const {
  auto* box = placed(new QPlainTextEdit(parent), name, at, font);
  box->setPlainText(text);
  return box;
}

QComboBox* ControlMaker::comboBox(QWidget* parent, const char* name, const QString& text,
                                  const QStringList& items, TwipsRect at,
                                  const DesignFont& font) const {
  auto* combo = placed(new QComboBox(parent), name, at, font);
  combo->setEditable(true);
  // Typed texts stay texts; they are not added to the list.
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->addItems(items);
  combo->setEditText(text);
  return combo;
}

QGroupBox* ControlMaker::frame(QWidget* parent, const char* name, const QString& caption,
                               TwipsRect at, const DesignFont& font) const {
  return placed(new QGroupBox(caption, parent), name, at, font);
}

QScrollBar* ControlMaker::scrollBar(QWidget* parent, const char* name, int topValue,
                                    int bottomValue, TwipsRect at) const {
  auto* bar = placed(new QScrollBar(Qt::Vertical, parent), name, at, std::nullopt);
  bar->setRange(topValue, bottomValue);
  bar->setValue(topValue);
  return bar;
}

FrequencyScrollBar* ControlMaker::frequencyScrollBar(QWidget* parent, const char* name, int topHz,
                                                     int bottomHz, TwipsRect at) const {
  return placed(new FrequencyScrollBar(topHz, bottomHz, parent), name, at, std::nullopt);
}

PictureBox* ControlMaker::picture(QWidget* parent, const char* name, TwipsRect at,
                                  const QColor& background) const {
  return placed(new PictureBox(parent, background), name, at, std::nullopt);
}

}  // namespace quillary

#pragma once
// A picture box: a widget showing an image that drawing code renders into.
// The image always has the widget's size, also while the widget is hidden
// (the load draws into pictures before the window shows); clear() fills it
// with the background colour. Callers draw with a QPainter on image() and
// then call update() to show the result.
#include <QColor>
#include <QImage>
#include <QWidget>

namespace quillary {

class PictureBox : public QWidget {
  Q_OBJECT
 public:
  explicit PictureBox(QWidget* parent, QColor background = Qt::white);

  QImage& image();
  QColor background() const { return background_; }
  void clear();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // A new size keeps what was drawn at the top left; the rest is background.
  void fitImageToWidget();

  QColor background_;
  QImage image_;
};

}  // namespace quillary

#include "window/PictureBox.h"

#include <QPainter>

namespace quillary {

PictureBox::PictureBox(QWidget* parent, QColor background)
    : QWidget(parent), background_(background) {
  fitImageToWidget();
}

QImage& PictureBox::image() {
  fitImageToWidget();
  return image_;
}

void PictureBox::clear() {
  image().fill(background_);
  update();
}

void PictureBox::fitImageToWidget() {
  const QSize wanted = size().expandedTo(QSize(1, 1));
  if (image_.size() == wanted) return;
  QImage fitted(wanted, QImage::Format_RGB32);
  fitted.fill(background_);
  if (!image_.isNull()) {
    QPainter painter(&fitted);
    painter.drawImage(0, 0, image_);
  }
  image_ = fitted;
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image());
}

}  // namespace quillary

#include "display/PictureBox.h"

#include <QPainter>

namespace quillary {

PictureBox::PictureBox(QWidget* parent, QColor background)
    : QWidget(parent), background_(background) {
  image_ = QImage(QSize(1, 1), QImage::Format_RGB32);
  clear();
}

void PictureBox::clear() {
  image_.fill(background_);
  update();
}

void PictureBox::resizeEvent(QResizeEvent*) {
  // A new size starts a new, blank drawing; the next redraw fills it.
  image_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  clear();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

}  // namespace quillary

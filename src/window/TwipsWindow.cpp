#include "window/TwipsWindow.h"

#include <algorithm>

namespace quillary {

TwipsWindow::TwipsWindow(QWidget* parent) : QWidget(parent), scale_(TwipsScale::of(*this)) {}

double TwipsWindow::topTwips() const { return scale_.yTwips(pos().y()); }
double TwipsWindow::leftTwips() const { return scale_.xTwips(pos().x()); }
double TwipsWindow::widthTwips() const { return scale_.xTwips(frameGeometry().width()); }
double TwipsWindow::heightTwips() const { return scale_.yTwips(frameGeometry().height()); }

QSize TwipsWindow::frameAllowance() const { return frameGeometry().size() - size(); }

void TwipsWindow::setTopTwips(double top) { move(pos().x(), scale_.y(top)); }
void TwipsWindow::setLeftTwips(double left) { move(scale_.x(left), pos().y()); }

void TwipsWindow::setWidthTwips(double width) {
  resize(std::max(1, scale_.x(width) - frameAllowance().width()), height());
  layoutControls();
}

void TwipsWindow::setHeightTwips(double height) {
  resize(width(), std::max(1, scale_.y(height) - frameAllowance().height()));
  layoutControls();
}

void TwipsWindow::keepOuterSizeAcrossFrame() {
  // The inner size gives way to a frame that has just appeared, so the
  // outer size stays the one set.
  const QSize allowance = frameAllowance();
  if (allowance == knownFrame_) return;
  const QSize inner = size() + knownFrame_ - allowance;
  knownFrame_ = allowance;
  resize(inner.expandedTo(QSize(1, 1)));
}

void TwipsWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  keepOuterSizeAcrossFrame();
  layoutControls();
}

void TwipsWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  keepOuterSizeAcrossFrame();
}

}  // namespace quillary

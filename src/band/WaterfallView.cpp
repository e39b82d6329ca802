#include "band/WaterfallView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace quillary {

namespace {

const QColor kScaleGround(32, 32, 40);
const QColor kScaleInk(220, 220, 220);
const QColor kReceiveMarker(255, 255, 0);
const QColor kTransmitMarker(255, 40, 40);
// A press that moves this far is a drag, not a click.
constexpr double kDragPixels = 4;
// Each notch of the wheel narrows (or widens) the view by a fifth.
constexpr double kZoomPerNotch = 0.8;
constexpr double kLabelGapPixels = 60;

}  // namespace

WaterfallView::WaterfallView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(200, 80);
  setCursor(Qt::CrossCursor);
  setToolTip(QStringLiteral("Click a trace to tune to it; the wheel zooms, a drag pans"));
}

void WaterfallView::addRow(std::span<const float> db) {
  image_.addRow(db);
  update();
}

void WaterfallView::setMarkers(std::optional<double> receiveHz, std::optional<double> transmitHz) {
  if (receiveHz == receiveHz_ && transmitHz == transmitHz_) return;
  receiveHz_ = receiveHz;
  transmitHz_ = transmitHz;
  update();
}

void WaterfallView::setSpan(const FrequencySpan& span) {
  image_.setSpan(span);
  update();
}

double WaterfallView::frequencyAt(double x) const { return frequencyAtColumn(span(), width(), x); }

int WaterfallView::columnAt(double hz) const { return columnOf(span(), width(), hz); }

void WaterfallView::resizeEvent(QResizeEvent* event) {
  image_.resize(width(), height() - kScaleHeight);
  QWidget::resizeEvent(event);
}

void WaterfallView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  image_.paint(painter, QPoint(0, kScaleHeight));
  paintScale(painter);
  paintMarker(painter, transmitHz_, kTransmitMarker);
  paintMarker(painter, receiveHz_, kReceiveMarker);
}

void WaterfallView::paintScale(QPainter& painter) const {
  painter.fillRect(0, 0, width(), kScaleHeight, kScaleGround);
  QFont small = font();
  small.setPointSizeF(7.5);
  painter.setFont(small);
  painter.setPen(kScaleInk);
  for (const ScaleTick& tick : scaleTicks(span(), width(), kLabelGapPixels)) {
    const int x = columnAt(tick.hz);
    painter.drawLine(x, kScaleHeight - (tick.labelled ? 6 : 3), x, kScaleHeight - 1);
    if (!tick.labelled) continue;
    // A label at either edge stays whole inside the scale.
    const QRect label(std::clamp(x - 30, 0, std::max(0, width() - 60)), 0, 60, kScaleHeight - 6);
    painter.drawText(label, Qt::AlignCenter, QString::number(tick.hz));
  }
}

// A solid mark in the scale, a dotted line down the waterfall: the traces
// beneath stay readable.
void WaterfallView::paintMarker(QPainter& painter, std::optional<double> hz, const QColor& colour) const {
  if (!hz) return;
  const int x = columnAt(*hz);
  if (x < 0 || x >= width()) return;
  painter.fillRect(x - 1, 0, 3, kScaleHeight, colour);
  painter.setPen(QPen(colour, 1, Qt::DotLine));
  painter.drawLine(x, kScaleHeight, x, height() - 1);
}

void WaterfallView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressedX_ = event->position().x();
  spanAtPress_ = span();
  dragged_ = false;
}

void WaterfallView::mouseMoveEvent(QMouseEvent* event) {
  if (!pressedX_ || !(event->buttons() & Qt::LeftButton)) return;
  const double moved = event->position().x() - *pressedX_;
  if (!dragged_ && std::abs(moved) < kDragPixels) return;
  dragged_ = true;
  setSpan(panned(spanAtPress_, -moved * spanAtPress_.widthHz() / std::max(width(), 1)));
}

void WaterfallView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressedX_) return;
  const bool click = !dragged_;
  pressedX_.reset();
  if (click && onClicked) onClicked(frequencyAt(event->position().x()));
}

void WaterfallView::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches == 0) return;
  setSpan(zoomed(span(), frequencyAt(event->position().x()), std::pow(kZoomPerNotch, notches)));
  event->accept();
}

}  // namespace quillary

#include "logbook/WorkedBeforeMark.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPolygon>

namespace quillary {

namespace {
constexpr int kSize = 8;  // pixels
const QColor kMarkColour(0, 150, 0);
}  // namespace

WorkedBeforeMark::WorkedBeforeMark(QLineEdit& callBox)
    : QWidget(&callBox), callBox_(callBox), boxToolTip_(callBox.toolTip()) {
  setObjectName(QStringLiteral("WorkedBefore"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  resize(kSize, kSize);
  placeInCorner();
  hide();
  callBox.installEventFilter(this);
}

void WorkedBeforeMark::showWorked(const QString& text) {
  setVisible(!text.isEmpty());
  setToolTip(text);
  callBox_.setToolTip(text.isEmpty() ? boxToolTip_ : text);
}

void WorkedBeforeMark::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kMarkColour);
  painter.drawPolygon(QPolygon({QPoint(0, 0), QPoint(kSize, 0), QPoint(kSize, kSize)}));
}

bool WorkedBeforeMark::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &callBox_ && event->type() == QEvent::Resize) placeInCorner();
  return false;
}

void WorkedBeforeMark::placeInCorner() { move(callBox_.width() - kSize - 1, 1); }

}  // namespace quillary

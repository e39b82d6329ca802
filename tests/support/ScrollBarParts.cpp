#include "support/ScrollBarParts.h"

#include <QApplication>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>

namespace quillary::testing {

namespace {

// What the bar tells its style when it draws itself.
QStyleOptionSlider styleOptionOf(const QScrollBar& bar) {
  QStyleOptionSlider option;
  option.initFrom(&bar);
  option.subControls = QStyle::SC_None;
  option.activeSubControls = QStyle::SC_None;
  option.orientation = bar.orientation();
  option.minimum = bar.minimum();
  option.maximum = bar.maximum();
  option.sliderPosition = bar.sliderPosition();
  option.sliderValue = bar.value();
  option.singleStep = bar.singleStep();
  option.pageStep = bar.pageStep();
  option.upsideDown = bar.invertedAppearance();
  if (bar.orientation() == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
  return option;
}

}  // namespace

QRect scrollBarPart(const QScrollBar& bar, QStyle::SubControl part) {
  const QStyleOptionSlider option = styleOptionOf(bar);
  return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar);
}

void clickScrollBarPart(QScrollBar& bar, QStyle::SubControl part) {
  QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, scrollBarPart(bar, part).center());
}

void wheelScrollBar(QScrollBar& bar, bool towardsOperator) {
  const QPointF at = QRectF(bar.rect()).center();
  const QPoint notch(0, towardsOperator ? -120 : 120);
  QWheelEvent wheel(at, bar.mapToGlobal(at), QPoint(), notch, Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&bar, &wheel);
}

void dragThumb(QScrollBar& bar, int dy) {
  const QPoint from = scrollBarPart(bar, QStyle::SC_ScrollBarSlider).center();
  QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(&bar, from + QPoint(0, dy));
  QTest::mouseRelease(&bar, Qt::LeftButton, Qt::NoModifier, from + QPoint(0, dy));
}

}  // namespace quillary::testing

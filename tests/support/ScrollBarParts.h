#pragma once
// Where the parts of a scroll bar are on the screen (arrows, trough above
// and below the thumb, the thumb), so a test can click them as an operator
// does; and a wheel step delivered to the bar.
#include <QApplication>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>

namespace quillary::testing {

// The rectangle of `part` (SC_ScrollBarAddLine, SC_ScrollBarSubPage,
// SC_ScrollBarSlider, ...) in the bar's own coordinates, as its style draws
// it now (from what the bar tells its style when it draws itself).
inline QRect scrollBarPart(const QScrollBar& bar, QStyle::SubControl part) {
  QStyleOptionSlider option;
  option.initFrom(&bar);
  option.subControls = option.activeSubControls = QStyle::SC_None;
  option.orientation = bar.orientation();
  option.minimum = bar.minimum();
  option.maximum = bar.maximum();
  option.sliderPosition = bar.sliderPosition();
  option.sliderValue = bar.value();
  option.singleStep = bar.singleStep();
  option.pageStep = bar.pageStep();
  option.upsideDown = bar.invertedAppearance();
  if (bar.orientation() == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
  return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar);
}

inline void clickScrollBarPart(QScrollBar& bar, QStyle::SubControl part) {
  QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, scrollBarPart(bar, part).center());
}

// One notch of the mouse wheel over the bar; `towardsOperator` is the
// direction that scrolls a page down.
inline void wheelScrollBar(QScrollBar& bar, bool towardsOperator) {
  const QPointF at = QRectF(bar.rect()).center();
  QWheelEvent wheel(at, bar.mapToGlobal(at), QPoint(), QPoint(0, towardsOperator ? -120 : 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&bar, &wheel);
}

// Drags the thumb by `dy` pixels.
inline void dragThumb(QScrollBar& bar, int dy) {
  const QPoint from = scrollBarPart(bar, QStyle::SC_ScrollBarSlider).center();
  QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(&bar, from + QPoint(0, dy));
  QTest::mouseRelease(&bar, Qt::LeftButton, Qt::NoModifier, from + QPoint(0, dy));
}

}  // namespace quillary::testing

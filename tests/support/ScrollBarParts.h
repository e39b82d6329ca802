#pragma once
// Where the parts of a scroll bar are on the screen, so a test can click
// them as an operator does; and a wheel step delivered to the bar.
#include <QApplication>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>

namespace quillary::testing {

// The rectangle of `part` (SC_ScrollBarAddLine, SC_ScrollBarSlider, ...) in
// the bar's own coordinates, from the options the bar draws itself with.
inline QRect scrollBarPart(const QScrollBar& bar, QStyle::SubControl part) {
  struct Options : QScrollBar {
    static auto init() { return &Options::initStyleOption; }  // protected in QScrollBar
  };
  QStyleOptionSlider option;
  (bar.*Options::init())(&option);
  return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar);
}

inline void clickScrollBarPart(QScrollBar& bar, QStyle::SubControl part) {
  QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, scrollBarPart(bar, part).center());
}

// One notch of the mouse wheel; `towardsOperator` scrolls a page down.
inline void wheelScrollBar(QScrollBar& bar, bool towardsOperator) {
  const QPointF at = QRectF(bar.rect()).center();
  QWheelEvent wheel(at, bar.mapToGlobal(at), QPoint(), QPoint(0, towardsOperator ? -120 : 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&bar, &wheel);
}

inline void dragThumb(QScrollBar& bar, int dy) {
  const QPoint from = scrollBarPart(bar, QStyle::SC_ScrollBarSlider).center();
  QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(&bar, from + QPoint(0, dy));
  QTest::mouseRelease(&bar, Qt::LeftButton, Qt::NoModifier, from + QPoint(0, dy));
}

}  // namespace quillary::testing

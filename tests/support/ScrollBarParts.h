#pragma once
// Where the parts of a scroll bar are on the screen (arrows, trough above
// and below the thumb, the thumb), so a test can click them as an operator
// does; and a wheel step delivered to the bar.
#include <QPoint>
#include <QRect>
#include <QStyle>

class QScrollBar;

namespace quillary::testing {

// The rectangle of `part` (SC_ScrollBarAddLine, SC_ScrollBarSubPage,
// SC_ScrollBarSlider, ...) in the bar's own coordinates, as its style
// draws it now.
QRect scrollBarPart(const QScrollBar& bar, QStyle::SubControl part);
void clickScrollBarPart(QScrollBar& bar, QStyle::SubControl part);
// One notch of the mouse wheel over the bar; `towardsOperator` is the
// direction that scrolls a page down.
void wheelScrollBar(QScrollBar& bar, bool towardsOperator);
// Drags the thumb by `dy` pixels.
void dragThumb(QScrollBar& bar, int dy);

}  // namespace quillary::testing

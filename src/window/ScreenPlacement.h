#pragma once
// Keeps a restored window position reachable: a position saved on a larger
// or since-removed screen would otherwise bring the window up where the
// operator cannot see or move it.
#include <QList>
#include <QPoint>
#include <QRect>

namespace quillary {

// `window` unchanged when its top-left corner lies on one of the screens'
// available areas; otherwise moved into the first area (as far as it fits).
QPoint reachablePosition(const QRect& window, const QList<QRect>& availableAreas);

}  // namespace quillary

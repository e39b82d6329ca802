#include "window/ScreenPlacement.h"

#include <algorithm>

namespace quillary {

QPoint reachablePosition(const QRect& window, const QList<QRect>& availableAreas) {
  if (availableAreas.isEmpty()) return window.topLeft();
  for (const QRect& area : availableAreas) {
    if (area.contains(window.topLeft())) return window.topLeft();
  }
  const QRect& area = availableAreas.front();
  const int x = std::clamp(window.x(), area.left(), std::max(area.left(), area.right() - window.width() + 1));
  const int y = std::clamp(window.y(), area.top(), std::max(area.top(), area.bottom() - window.height() + 1));
  return {x, y};
}

}  // namespace quillary

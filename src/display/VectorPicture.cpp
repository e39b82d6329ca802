#include "display/VectorPicture.h"

#include <QPainter>

#include "display/DisplayColours.h"
#include "display/VectorGeometry.h"

namespace quillary {

void renderPhaseVector(QImage& image, const int32_t* points, int32_t level) {
  const VectorGeometry geometry = vectorGeometry(image.width(), image.height(), level);
  image.fill(colours::kPictureBackground);
  QPainter painter(&image);
  painter.setPen(QPen(colours::kVectorCircle, 1));
  painter.drawEllipse(QPointF(geometry.cx, geometry.cy), geometry.circleRadius,
                      geometry.circleRadius);
  painter.setPen(QPen(geometry.strong ? colours::kStrongSpokes : colours::kWeakSpokes, 2));
  for (int k = 0; k < 8; ++k) {
    const SpokeEnd end = spokeEnd(geometry, points[2 * k], points[2 * k + 1]);
    painter.drawLine(QPointF(geometry.cx, geometry.cy), QPointF(end.x, end.y));
  }
}

void renderLevelBar(QImage& image, int16_t level, int16_t squelch) {
  const int width = image.width();
  const int height = image.height();
  const LevelRows rows = levelRows(height, level, squelch);
  image.fill(colours::kPictureBackground);
  QPainter painter(&image);
  painter.fillRect(QRect(0, rows.barTop, width, height - rows.barTop), colours::kLevelBar);
  painter.setPen(QPen(colours::kSquelchLine, 0));
  painter.drawLine(0, rows.squelchRow, width, rows.squelchRow);
}

}  // namespace quillary

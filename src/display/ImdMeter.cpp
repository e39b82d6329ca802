#include "display/ImdMeter.h"

#include <QPainter>

#include "display/PictureBox.h"

namespace quillary {

void drawImdScale(PictureBox& picture) {
  picture.clear();
  QImage& image = picture.image();
  const double w = image.width();
  const int h = image.height();
  struct Zone {
    double fromDb, toDb;
    QColor colour;
  };
  const Zone zones[] = {{0, 15, QColor(255, 0, 0)},
                        {15, 20, QColor(255, 255, 0)},
                        {20, 30, QColor(200, 255, 255)},
                        {30, 50, QColor(0, 255, 255)}};
  QPainter painter(&image);
  for (const Zone& zone : zones) {
    const QRectF area(zone.fromDb / 50 * w, 0, (zone.toDb - zone.fromDb) / 50 * w, h);
    painter.fillRect(area, zone.colour);
  }
  picture.update();
}

}  // namespace quillary

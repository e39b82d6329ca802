#include "display/ImdPicture.h"

#include <QPainter>

#include "display/DisplayColours.h"
#include "display/ImdMeterGeometry.h"

namespace quillary {

void renderImdScale(QImage& image) {
  const int height = image.height();
  const std::array<int, 4> ends = imdZoneEnds(image.width());
  const std::array<QColor, 4> zones = {colours::kImdZoneBad, colours::kImdZonePoor,
                                       colours::kImdZoneFair, colours::kImdZoneGood};
  QPainter painter(&image);
  int start = 0;
  for (int zone = 0; zone < 4; ++zone) {
    painter.fillRect(QRect(start, 0, ends[zone] - start, height), zones[zone]);
    start = ends[zone];
  }
}

void renderImdMeter(QImage& image, int16_t best) {
  renderImdScale(image);
  const int barWidth = imdBarWidth(image.width(), best);
  if (barWidth <= 0) return;
  const int top = imdBarTop(image.height());
  QPainter painter(&image);
  painter.fillRect(QRect(0, top, barWidth, image.height() - top), colours::kImdBar);
}

}  // namespace quillary

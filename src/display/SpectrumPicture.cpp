#include "display/SpectrumPicture.h"

#include <cmath>

#include <QPainter>
#include <QPolygonF>

#include "display/DisplayColours.h"

namespace quillary {

namespace {
void drawVerticalLine(QPainter& painter, double x, int height, const QColor& colour) {
  const int column = static_cast<int>(std::floor(x));
  painter.setPen(QPen(colour, 0));
  painter.drawLine(column, 0, column, height);
}
}  // namespace

void renderSpectrum(QImage& image, const SpectrumView& view) {
  const int width = image.width();
  const int height = image.height();
  image.fill(colours::kSpectrumBackground);
  QPainter painter(&image);
  for (const GridLine& line : gridLines(view.range, width, view.presetHz)) {
    drawVerticalLine(painter, line.x, height,
                     line.preset ? colours::kPresetGridLine : colours::kGridLine);
  }
  const SpectrumScale scale = spectrumScale(view.range, width, height);
  if (view.bins) {
    QPolygonF trace;
    for (const TracePoint& point : tracePoints(scale, height, view.bins)) {
      trace.append(QPointF(point.x, point.y));
    }
    painter.setPen(QPen(colours::kTrace, 0));
    painter.drawPolyline(trace);
  }
  // Without a frequency in the box there is nothing to mark.
  if (view.receiveHz) {
    drawVerticalLine(painter, static_cast<double>(markerX(scale, *view.receiveHz)), height,
                     colours::kReceiveMarker);
  }
}

}  // namespace quillary

#pragma once
// Places widgets by twips at a screen's logical DPI (horizontal and vertical
// may differ). Geometry is kept in twips everywhere else; only this converts.
#include <QRect>
#include <QWidget>

#include "common/Twips.h"

namespace quillary {

struct TwipsRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

class TwipsScale {
 public:
  TwipsScale(double dpiX = 96.0, double dpiY = 96.0) : dpiX_(dpiX), dpiY_(dpiY) {}
  static TwipsScale of(const QWidget& widget) {
    return TwipsScale(widget.logicalDpiX(), widget.logicalDpiY());
  }

  int x(double twips) const { return twipsToPixels(twips, dpiX_); }
  int y(double twips) const { return twipsToPixels(twips, dpiY_); }
  double xTwips(int pixels) const { return pixelsToTwips(pixels, dpiX_); }
  double yTwips(int pixels) const { return pixelsToTwips(pixels, dpiY_); }

  QRect rect(const TwipsRect& r) const {
    return QRect(x(r.left), y(r.top), x(r.width), y(r.height));
  }
  void place(QWidget& widget, const TwipsRect& r) const { widget.setGeometry(rect(r)); }

 private:
  double dpiX_;
  double dpiY_;
};

}  // namespace quillary

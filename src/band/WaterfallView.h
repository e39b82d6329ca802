#pragma once
// The waterfall widget: a frequency scale on top, the band's spectrum rows
// below it with time running downward, the receive marker (yellow, as on
// the spectrum) and the transmit marker (red) over both. A click tunes,
// the wheel zooms about the frequency under the pointer, and a drag pans.
#include <QWidget>
#include <functional>
#include <optional>
#include <span>

#include "band/BandView.h"
#include "band/WaterfallImage.h"

namespace quillary {

class WaterfallView : public QWidget {
 public:
  static constexpr int kScaleHeight = 18;

  explicit WaterfallView(QWidget* parent = nullptr);

  void addRow(std::span<const float> db);
  void setMarkers(std::optional<double> receiveHz, std::optional<double> transmitHz);
  void setSpan(const FrequencySpan& span);
  const FrequencySpan& span() const { return image_.span(); }
  // The frequency under pixel column x, and the column of a frequency.
  double frequencyAt(double x) const;
  int columnAt(double hz) const;

  // A click (press and release with no drag between) at a frequency.
  std::function<void(double hz)> onClicked;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void paintScale(QPainter& painter) const;
  void paintMarker(QPainter& painter, std::optional<double> hz, const QColor& colour) const;

  WaterfallImage image_;
  std::optional<double> receiveHz_, transmitHz_;
  std::optional<double> pressedX_;
  FrequencySpan spanAtPress_;
  bool dragged_ = false;
};

}  // namespace quillary

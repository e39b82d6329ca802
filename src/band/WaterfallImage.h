#pragma once
// The waterfall's picture, kept apart from its widget: spectrum rows with
// the newest at the top, each pixel coloured by the strongest bin under it
// against the band's floor. A new row colours one line of a ring image (a
// few hundred pixels); only a new size or span colours the kept rows again.
#include <QImage>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "band/BandView.h"

class QPainter;
class QPoint;

namespace quillary {

class WaterfallImage {
 public:
  // Rows kept for colouring again: more than a tall window shows.
  static constexpr int kKeptRows = 1024;

  WaterfallImage();
  void resize(int columns, int rows);
  void setSpan(const FrequencySpan& span);
  const FrequencySpan& span() const { return span_; }
  int columns() const { return image_.width(); }
  // A spectrum frame (kSpectrumBins values in dB) as the new top row.
  void addRow(std::span<const float> db);
  // The rows, newest at the top, with the picture's top left at `topLeft`.
  void paint(QPainter& painter, const QPoint& topLeft) const;

 private:
  std::span<const float> keptRow(int age) const;  // 0: the newest
  void mapColumns();
  void colourLine(std::span<const float> db, float floorDb, int line);
  void colourAgain();

  FrequencySpan span_ = kWholeBand;
  QImage image_;  // a ring of lines: line top_ holds the newest row
  int top_ = 0;
  std::vector<std::pair<int, int>> columnBins_;  // the bins under each column
  std::vector<float> kept_;                      // kKeptRows rows, a ring
  std::vector<float> keptFloors_;
  int keptNewest_ = 0;
  int keptCount_ = 0;
  std::vector<float> smoothed_;   // the bins steadied over frames
  std::optional<float> floorDb_;  // the band's floor, steadied over rows
};

}  // namespace quillary

#include "band/WaterfallImage.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "band/BandLevels.h"
#include "band/WaterfallColours.h"
#include "modem/ModemLibrary.h"

namespace quillary {

namespace {

// A frame whose floor lies this low is silence (the receiver is paused
// while we transmit): drawn dark, and kept out of the floor.
constexpr float kSilentFloorDb = -150;
// How fast the floor follows the band: the picture must not flicker with
// every frame's noise, yet settle within a second or two.
constexpr float kFloorFollowing = 0.1f;
// The newest frame's weight in a row.
constexpr float kRowSteadying = 0.35f;

}  // namespace

WaterfallImage::WaterfallImage()
    : kept_(static_cast<std::size_t>(kKeptRows) * kSpectrumBins, 0.0f), keptFloors_(kKeptRows, 0.0f) {}

void WaterfallImage::resize(int columns, int rows) {
  columns = std::max(columns, 1);
  rows = std::max(rows, 1);
  if (image_.width() == columns && image_.height() == rows) return;
  image_ = QImage(columns, rows, QImage::Format_RGB32);
  mapColumns();
  colourAgain();
}

void WaterfallImage::setSpan(const FrequencySpan& span) {
  if (span == span_) return;
  span_ = span;
  mapColumns();
  colourAgain();
}

void WaterfallImage::addRow(std::span<const float> db) {
  if (db.size() < static_cast<std::size_t>(kSpectrumBins)) return;
  const float rowFloor = bandFloor(db);
  const bool silent = rowFloor < kSilentFloorDb;
  // Each bin a little steadied over the last frames: the noise's grain
  // grows finer, and a weak trace shows through it.
  if (silent || smoothed_.empty()) smoothed_.assign(db.begin(), db.begin() + kSpectrumBins);
  else
    for (std::size_t k = 0; k < smoothed_.size(); ++k) smoothed_[k] += kRowSteadying * (db[k] - smoothed_[k]);
  if (!silent) floorDb_ = floorDb_ ? *floorDb_ + kFloorFollowing * (rowFloor - *floorDb_) : rowFloor;
  // Silence shows dark against the floor the band had (or any real one).
  const float floorDb = floorDb_ ? *floorDb_ : silent ? 0.0f : rowFloor;
  if (silent) smoothed_.clear();

  keptNewest_ = (keptNewest_ + 1) % kKeptRows;
  keptCount_ = std::min(keptCount_ + 1, kKeptRows);
  const std::span<const float> shown = silent ? db : std::span<const float>(smoothed_);
  std::copy_n(shown.begin(), kSpectrumBins, kept_.begin() + static_cast<std::ptrdiff_t>(keptNewest_) * kSpectrumBins);
  keptFloors_[keptNewest_] = floorDb;

  if (image_.isNull()) return;
  top_ = (top_ + image_.height() - 1) % image_.height();
  colourLine(keptRow(0), floorDb, top_);
}

void WaterfallImage::paint(QPainter& painter, const QPoint& topLeft) const {
  if (image_.isNull()) return;
  const int newer = image_.height() - top_;
  painter.drawImage(topLeft, image_, QRect(0, top_, image_.width(), newer));
  if (top_ > 0) painter.drawImage(topLeft + QPoint(0, newer), image_, QRect(0, 0, image_.width(), top_));
}

std::span<const float> WaterfallImage::keptRow(int age) const {
  const int index = (keptNewest_ - age + kKeptRows) % kKeptRows;
  return {kept_.data() + static_cast<std::ptrdiff_t>(index) * kSpectrumBins, static_cast<std::size_t>(kSpectrumBins)};
}

// A column wider than a bin shows the strongest bin whose centre it holds,
// so a narrow trace never drops out between columns; a column narrower
// than a bin shows the bin nearest its middle.
void WaterfallImage::mapColumns() {
  const int columns = image_.width();
  columnBins_.assign(static_cast<std::size_t>(std::max(columns, 0)), {0, 0});
  const double hzPerColumn = span_.widthHz() / std::max(columns, 1);
  for (int x = 0; x < columns; ++x) {
    const double from = span_.lowHz + x * hzPerColumn;
    int first = static_cast<int>(std::ceil(from / kBinHz));
    int last = static_cast<int>(std::ceil((from + hzPerColumn) / kBinHz)) - 1;
    if (last < first) first = last = static_cast<int>(std::lround((from + hzPerColumn / 2) / kBinHz));
    columnBins_[x] = {std::clamp(first, 0, kSpectrumBins - 1), std::clamp(last, 0, kSpectrumBins - 1)};
  }
}

void WaterfallImage::colourLine(std::span<const float> db, float floorDb, int line) {
  auto* pixels = reinterpret_cast<QRgb*>(image_.scanLine(line));
  for (std::size_t x = 0; x < columnBins_.size(); ++x) {
    const auto [first, last] = columnBins_[x];
    const float strongest = *std::max_element(db.begin() + first, db.begin() + last + 1);
    pixels[x] = waterfallColour(colourStep(strongest, floorDb));
  }
}

void WaterfallImage::colourAgain() {
  if (image_.isNull()) return;
  image_.fill(waterfallColour(0));
  top_ = 0;
  const int rows = std::min(keptCount_, image_.height());
  for (int age = 0; age < rows; ++age) {
    const int index = (keptNewest_ - age + kKeptRows) % kKeptRows;
    colourLine(keptRow(age), keptFloors_[index], age);
  }
}

}  // namespace quillary

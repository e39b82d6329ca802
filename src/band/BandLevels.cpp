#include "band/BandLevels.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quillary {

namespace {

struct BinRange {
  int first = 0, last = -1;
};

BinRange binsBetween(std::span<const float> db, double lowHz, double highHz) {
  BinRange range;
  range.first = std::max(0, static_cast<int>(std::ceil(lowHz / kBinHz)));
  range.last = std::min(static_cast<int>(db.size()) - 1, static_cast<int>(std::floor(highHz / kBinHz)));
  return range;
}

}  // namespace

float bandFloorDb(std::span<const float> db) {
  const BinRange range = binsBetween(db, kFloorLowHz, kFloorHighHz);
  if (range.last < range.first) return 0;
  std::vector<float> bins(db.begin() + range.first, db.begin() + range.last + 1);
  const auto middle = bins.begin() + static_cast<std::ptrdiff_t>(bins.size() / 2);
  std::nth_element(bins.begin(), middle, bins.end());
  return *middle;
}

double levelOverFloorDb(std::span<const float> db, double hz, double halfWidthHz) {
  const BinRange range = binsBetween(db, hz - halfWidthHz, hz + halfWidthHz);
  if (range.last < range.first) return 0;
  const float strongest = *std::max_element(db.begin() + range.first, db.begin() + range.last + 1);
  return strongest - bandFloorDb(db);
}

}  // namespace quillary

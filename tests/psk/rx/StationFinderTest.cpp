// Stations in a spectrum made by hand: a floor of 1 with bumps on it.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "psk/rx/StationFinder.h"

namespace quillary::psk {
namespace {

// A station `height` above the floor, spread over +-3 bins around `centre`.
void addStation(std::vector<double>& power, double centre, double height) {
  for (std::size_t k = 0; k < power.size(); ++k) {
    const double from = std::abs(static_cast<double>(k) - centre);
    if (from < 3.5) power[k] += height * (1 + std::cos(3.14159 * from / 3.5)) / 2;
  }
}

TEST(StationFinder, FindsStationsWhereTheyAreAndNothingElse) {
  std::vector<double> power(100, 1.0);
  addStation(power, 20.3, 8);     // a clear station, between bins
  addStation(power, 40, 800);     // a strong one ...
  addStation(power, 46, 4);       // ... with a product beside it (1% of it)
  addStation(power, 60, 0.2);     // too faint to count
  addStation(power, 99, 50);      // cut off by the edge: its peak lies beyond
  StationShape shape;
  shape.halfWidth = 3;
  shape.minExcess = 0.5;
  shape.productsBins = 12;
  const auto found = findStations(power, shape);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_NEAR(found[0].bin, 20.3, 0.15);
  EXPECT_NEAR(found[1].bin, 40, 0.1);
  EXPECT_GT(found[1].excess, found[0].excess);

  // Two stations two windows apart are two; an idle station's two tones are one.
  std::vector<double> pair(100, 1.0);
  addStation(pair, 30, 10);
  addStation(pair, 44, 10);
  pair[68] += 20;
  pair[72] += 20;
  const auto two = findStations(pair, shape);
  ASSERT_EQ(two.size(), 3u);
  EXPECT_NEAR(two[2].bin, 70, 0.2);
  EXPECT_TRUE(findStations(std::vector<double>(100, 1.0), shape).empty()) << "a flat floor";
  EXPECT_TRUE(findStations(std::vector<double>(5, 1.0), shape).empty()) << "too short to hold a window";
}

}  // namespace
}  // namespace quillary::psk

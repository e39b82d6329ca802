// Where the AFC's search places a station whose idle a fading path has made
// uneven: between its two tones, not at the centre of its power, which
// leans towards the stronger; and a lone tone near the receive frequency,
// which may be what a fade has left of an idle, is not chased half a baud.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

#include "psk/rx/StationSearch.h"

namespace quillary::psk::test {
namespace {

constexpr int kSamplesPerSymbol = 16;

// Two tones a baud apart about `centre` (baud from the receive frequency),
// at the given levels (dB; -99 for none), in a little noise: two seconds
// of wide baseband at 31.25 baud.
std::vector<std::complex<float>> idle(double centre, double lowerDb, double upperDb) {
  std::mt19937 random(7);
  std::normal_distribution<float> noise(0.0f, 0.01f);
  std::vector<std::complex<float>> wide(2 * 500);
  for (std::size_t n = 0; n < wide.size(); ++n) {
    std::complex<double> x{};
    for (auto [side, db] : {std::pair{-0.5, lowerDb}, {0.5, upperDb}})
      if (db > -99) x += std::pow(10.0, db / 20) * std::polar(1.0, 2 * std::numbers::pi * (centre + side) * n / kSamplesPerSymbol);
    wide[n] = std::complex<float>(x) + std::complex<float>(noise(random), noise(random));
  }
  return wide;
}

TEST(RxStationSearch, AnUnevenIdleIsPlacedBetweenItsTonesAndALoneToneNearTuneIsNotChased) {
  struct Row {
    double centre, lowerDb, upperDb, seenAt;
  };
  for (const Row& row : {Row{0, 0, -12, 0}, Row{0, -15, 0, 0}, Row{1.5, 0, -9, 1.5}, Row{-2.2, -6, 0, -2.2},
                         // What a fade leaves of an idle in tune, and a lone carrier far off.
                         Row{0, -99, 0, 0}, Row{2.0, -99, 0, 2.5}}) {
    StationSearch search;
    ASSERT_TRUE(search.create(kSamplesPerSymbol, 4.5));
    const auto wide = idle(row.centre, row.lowerDb, row.upperDb);
    search.process(wide.size(), wide.data());
    const auto station = search.nearest();
    ASSERT_TRUE(station) << row.centre << " " << row.lowerDb << " " << row.upperDb;
    EXPECT_NEAR(station->baud, row.seenAt, 0.06) << row.centre << " " << row.lowerDb << " " << row.upperDb;
  }
}

}  // namespace
}  // namespace quillary::psk::test

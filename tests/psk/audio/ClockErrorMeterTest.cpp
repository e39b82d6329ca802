#include "psk/audio/ClockErrorMeter.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace quillary::psk {
namespace {

using Clock = std::chrono::steady_clock;

// A sound card whose crystal is off by `ppm`, delivering 256-sample blocks to
// a thread that is sometimes late by up to `maxLateMs`.
struct FakeCard {
  double ppm, maxLateMs;
  double trueTime = 0.0, arrival = 0.0;
  std::mt19937 random{3};

  ClockErrorMeter::TimeSource clock() {
    return [this] {
      return Clock::time_point{} +
             std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1000.0 + arrival));
    };
  }
  // Readings (time, ppm) over `seconds` of blocks.
  std::vector<std::pair<double, int>> run(ClockErrorMeter& meter, double seconds) {
    std::vector<std::pair<double, int>> readings;
    for (double t = 0; t < seconds; t += 0.032) {
      trueTime += 256.0 / (8000.0 * (1.0 + ppm * 1e-6));
      arrival = trueTime + std::uniform_real_distribution<double>(0.0, maxLateMs / 1000.0)(random);
      if (auto reading = meter.addSamples(256)) readings.push_back({t, *reading});
    }
    return readings;
  }
};

TEST(ClockErrorMeter, ReadsFastSlowAndExactCardsEveryHalfMinuteDespiteLateBlocks) {
  const struct {
    double ppm, lateMs, tolerance;
  } cards[] = {{120, 10, 4}, {-45, 0, 1}, {0, 0, 0}};
  for (const auto [ppm, lateMs, tolerance] : cards) {
    FakeCard card{ppm, lateMs};
    ClockErrorMeter meter(8000.0, card.clock());
    const auto readings = card.run(meter, 140.0);
    ASSERT_EQ(readings.size(), 4u) << ppm;
    EXPECT_GT(readings[0].first, 30.0);  // nothing before enough time has passed
    EXPECT_LT(readings[0].first, 45.0);
    for (std::size_t i = 1; i < readings.size(); ++i)
      EXPECT_NEAR(readings[i].first - readings[i - 1].first, 30.0, 5.1) << ppm;
    for (const auto& [at, reading] : readings) EXPECT_NEAR(reading, ppm, tolerance) << ppm << " at " << at << " s";
  }
}

TEST(ClockErrorMeter, AStallStartsTheMeasurementAgainInsteadOfReadingASlowCard) {
  FakeCard card{-45, 5};
  ClockErrorMeter meter(8000.0, card.clock());
  ASSERT_FALSE(card.run(meter, 70.0).empty());
  card.trueTime += 60.0;  // suspended for a minute: no samples, the clock ran on
  const auto readings = card.run(meter, 140.0);
  ASSERT_FALSE(readings.empty());
  EXPECT_GT(readings.front().first, 30.0) << "no reading before a new measurement has had its time";
  for (const auto& [at, reading] : readings) EXPECT_NEAR(reading, -45, 3) << "at " << at << " s";
}

}  // namespace
}  // namespace quillary::psk

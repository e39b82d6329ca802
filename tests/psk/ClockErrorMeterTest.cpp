#include "psk/ClockErrorMeter.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace quillary::psk {
namespace {

using Clock = std::chrono::steady_clock;

// A sound card whose crystal is off by `ppm`, delivering 256-sample blocks
// to a thread that is sometimes late by up to `maxLateMs`.
class FakeCard {
 public:
  FakeCard(double ppm, double maxLateMs, uint32_t seed = 3) : ppm_(ppm), maxLate_(maxLateMs / 1000.0), random_(seed) {}

  ClockErrorMeter::TimeSource clock() {
    return [this] { return Clock::time_point{} + std::chrono::duration_cast<Clock::duration>(
                                                     std::chrono::duration<double>(1000.0 + arrival_)); };
  }
  // Advances to the next block; answers its length in samples.
  std::size_t nextBlock() {
    trueTime_ += 256.0 / (8000.0 * (1.0 + ppm_ * 1e-6));
    std::uniform_real_distribution<double> late(0.0, maxLate_);
    arrival_ = trueTime_ + late(random_);
    return 256;
  }

 private:
  double ppm_, maxLate_;
  double trueTime_ = 0.0, arrival_ = 0.0;
  std::mt19937 random_;
};

struct Reading {
  double atSeconds;
  int ppm;
};

std::vector<Reading> run(FakeCard& card, ClockErrorMeter& meter, double seconds) {
  std::vector<Reading> readings;
  for (double t = 0; t < seconds; t += 0.032) {
    if (auto ppm = meter.addSamples(card.nextBlock())) readings.push_back({t, *ppm});
  }
  return readings;
}

TEST(ClockErrorMeter, ReadsAFastCardEveryHalfMinuteDespiteLateBlocks) {
  FakeCard card(+120.0, 10.0);
  ClockErrorMeter meter(8000.0, card.clock());
  const std::vector<Reading> readings = run(card, meter, 140.0);
  ASSERT_EQ(readings.size(), 4u);
  EXPECT_GT(readings[0].atSeconds, 30.0);  // nothing before enough time has passed
  EXPECT_LT(readings[0].atSeconds, 45.0);
  for (std::size_t i = 1; i < readings.size(); ++i) {
    EXPECT_NEAR(readings[i].atSeconds - readings[i - 1].atSeconds, 30.0, 5.1);
  }
  for (const Reading& r : readings) EXPECT_NEAR(r.ppm, 120, 4) << "at " << r.atSeconds << " s";
}

TEST(ClockErrorMeter, SlowCardReadsNegativeAndExactCardReadsZero) {
  FakeCard slow(-45.0, 0.0);
  ClockErrorMeter slowMeter(8000.0, slow.clock());
  const auto slowReadings = run(slow, slowMeter, 70.0);
  ASSERT_FALSE(slowReadings.empty());
  EXPECT_NEAR(slowReadings.back().ppm, -45, 1);

  FakeCard exact(0.0, 0.0);
  ClockErrorMeter exactMeter(8000.0, exact.clock());
  const auto exactReadings = run(exact, exactMeter, 70.0);
  ASSERT_FALSE(exactReadings.empty());
  EXPECT_EQ(exactReadings.back().ppm, 0);
}

TEST(ClockErrorMeter, ResetStartsAFreshMeasurement) {
  FakeCard card(+200.0, 0.0);
  ClockErrorMeter meter(8000.0, card.clock());
  ASSERT_FALSE(run(card, meter, 40.0).empty());
  meter.reset();
  // A fresh start needs its own warm-up and half minute again.
  EXPECT_TRUE(run(card, meter, 25.0).empty());
  const auto later = run(card, meter, 20.0);
  ASSERT_EQ(later.size(), 1u);
  EXPECT_NEAR(later[0].ppm, 200, 1);
}

}  // namespace
}  // namespace quillary::psk

#include "modem/ImdStatistics.h"

#include <gtest/gtest.h>

namespace quillary {
namespace {

TEST(ImdStatistics, ShowsBestWorstAverageInSignedStyle) {
  ImdStatistics stats;
  stats.add(-28);
  stats.add(-21);
  const ImdTexts texts = stats.add(-26);
  EXPECT_EQ(texts.summary, "B: -28 W: -21 A: -25 dB");
  EXPECT_EQ(texts.count, "3");
  EXPECT_EQ(texts.reading, "-26 dB");
  EXPECT_EQ(stats.best(), -28);
  EXPECT_EQ(stats.worst(), -21);

  ImdStatistics positive;
  const ImdTexts shown = positive.add(0);
  EXPECT_EQ(shown.summary, "B:  0 W:  0 A:  0 dB");
  EXPECT_EQ(shown.reading, " 0 dB");
}

TEST(ImdStatistics, AverageRoundsHalvesToEven) {
  ImdStatistics down;
  down.add(-21);
  down.add(-22);  // -21.5
  EXPECT_EQ(down.average(), -22);

  ImdStatistics up;
  up.add(-22);
  up.add(-23);  // -22.5
  EXPECT_EQ(up.average(), -22);
}

TEST(ImdStatistics, TwentiethReadingShowsThenStartsAfresh) {
  ImdStatistics stats;
  for (int i = 0; i < 19; ++i) stats.add(-30);
  const ImdTexts twentieth = stats.add(-20);
  EXPECT_EQ(twentieth.summary, "B: -30 W: -20 A: -30 dB");  // -29.5 rounds to even
  EXPECT_EQ(twentieth.count, "20");
  EXPECT_FALSE(stats.hasReading());
  EXPECT_EQ(stats.best(), ImdStatistics::kNoBest);
  EXPECT_EQ(stats.worst(), ImdStatistics::kNoWorst);
  EXPECT_EQ(stats.count(), 0);

  const ImdTexts next = stats.add(-40);
  EXPECT_EQ(next.summary, "B: -40 W: -40 A: -40 dB");
  EXPECT_EQ(next.count, "1");
}

TEST(ImdStatistics, LargeReadingsNeitherOverflowNorWrap) {
  ImdStatistics stats;
  ImdTexts texts;
  // Nineteen readings of -5000 sum to far beyond 16 bits.
  for (int i = 0; i < 19; ++i) texts = stats.add(-5000);
  EXPECT_EQ(texts.summary, "B: -5000 W: -5000 A: -5000 dB");

  ImdStatistics huge;
  texts = huge.add(40000);
  EXPECT_EQ(texts.reading, " 32767 dB");
  EXPECT_EQ(huge.worst(), 32767);
}

TEST(ImdStatistics, ResetClearsEverything) {
  ImdStatistics stats;
  stats.add(-25);
  stats.add(-27);
  stats.reset();
  EXPECT_FALSE(stats.hasReading());
  EXPECT_EQ(stats.add(-10).summary, "B: -10 W: -10 A: -10 dB");
}

}  // namespace
}  // namespace quillary

#include "modem/ImdStatistics.h"

#include <gtest/gtest.h>

namespace quillary {
namespace {

TEST(ImdStatistics, AverageRoundsHalvesToEven) {
  ImdStatistics down;
  addImdReading(down, -21);
  addImdReading(down, -22);  // -21.5
  EXPECT_EQ(down.average, -22);

  ImdStatistics up;
  addImdReading(up, -22);
  const ImdTexts texts = addImdReading(up, -23);  // -22.5
  EXPECT_EQ(up.average, -22);
  EXPECT_EQ(texts.summary, "B: -23 W: -22 A: -22 dB");

  ImdStatistics zero;
  EXPECT_EQ(addImdReading(zero, 0).summary, "B:  0 W:  0 A:  0 dB");
}

TEST(ImdStatistics, LargeReadingsNeitherOverflowNorWrap) {
  ImdStatistics stats;
  ImdTexts texts;
  // Nineteen readings of -5000 sum to far beyond 16 bits.
  for (int i = 0; i < 19; ++i) texts = addImdReading(stats, -5000);
  EXPECT_EQ(texts.summary, "B: -5000 W: -5000 A: -5000 dB");
  EXPECT_EQ(stats.sum, -95000);

  ImdStatistics huge;
  texts = addImdReading(huge, 40000);
  EXPECT_EQ(texts.reading, " 32767 dB");
  EXPECT_EQ(huge.worst, 32767);
}

}  // namespace
}  // namespace quillary

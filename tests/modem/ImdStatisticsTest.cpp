#include "modem/ImdStatistics.h"

#include <gtest/gtest.h>

namespace quillary {
namespace {

TEST(ImdStatistics, AverageRoundsHalvesToEvenAndLargeReadingsNeitherOverflowNorWrap) {
  ImdStatistics down;
  addImdReading(down, -21);
  EXPECT_EQ(addImdReading(down, -22).summary, "B: -22 W: -21 A: -22 dB");  // -21.5
  ImdStatistics up;
  addImdReading(up, -22);
  EXPECT_EQ(addImdReading(up, -23).summary, "B: -23 W: -22 A: -22 dB");  // -22.5

  // Nineteen readings of -5000 sum to far beyond 16 bits.
  ImdStatistics many;
  ImdTexts texts;
  for (int i = 0; i < 19; ++i) texts = addImdReading(many, -5000);
  EXPECT_EQ(texts.summary, "B: -5000 W: -5000 A: -5000 dB");
  ImdStatistics huge;
  EXPECT_EQ(addImdReading(huge, 40000).reading, " 32767 dB");
}

}  // namespace
}  // namespace quillary

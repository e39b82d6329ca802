#include "common/Twips.h"

#include <gtest/gtest.h>

namespace quillary {
namespace {

TEST(Twips, FifteenPerPixelAt96DpiAndFollowingTheScreenDpi) {
  EXPECT_EQ(twipsToPixels(5085), 339);
  EXPECT_EQ(twipsToPixels(6165), 411);
  EXPECT_EQ(twipsToPixels(22), 1);  // 1.47 rounds to 1
  EXPECT_EQ(twipsToPixels(23), 2);  // 1.53 rounds to 2
  EXPECT_DOUBLE_EQ(pixelsToTwips(339), 5085.0);
  EXPECT_EQ(twipsToPixels(1440, 144), 144);
  EXPECT_DOUBLE_EQ(pixelsToTwips(144, 144), 1440.0);
  EXPECT_EQ(twipsToPixels(1440, 0), 96);  // no usable DPI: 96
}

}  // namespace
}  // namespace quillary

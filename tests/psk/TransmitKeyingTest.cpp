#include "psk/TransmitKeying.h"

#include <gtest/gtest.h>

namespace quillary::psk {
namespace {

using Change = TransmitKeying::Change;

TEST(TransmitKeying, WithoutOutputBufferOnAndOffFollowTheTransmitterBlockForBlock) {
  TransmitKeying keying;
  EXPECT_EQ(keying.afterBlock(false, false, false, 256), Change::None);
  EXPECT_EQ(keying.afterBlock(true, true, false, 256), Change::On);
  EXPECT_TRUE(keying.keyed());
  EXPECT_EQ(keying.afterBlock(false, true, false, 256), Change::None);
  EXPECT_EQ(keying.afterBlock(false, false, false, 256), Change::Off);
  EXPECT_FALSE(keying.keyed());
  EXPECT_EQ(keying.afterBlock(false, false, false, 256), Change::None);
}

TEST(TransmitKeying, OffWaitsUntilTheOutputBufferHasPlayedTheTail) {
  TransmitKeying keying;
  keying.setDrainFrames(600);
  keying.afterBlock(true, true, false, 256);
  EXPECT_EQ(keying.afterBlock(false, false, false, 256), Change::None);  // tail still buffered: 600 to go
  EXPECT_EQ(keying.afterBlock(false, false, false, 256), Change::None);  // 344
  EXPECT_EQ(keying.afterBlock(false, false, false, 256), Change::None);  // 88
  EXPECT_TRUE(keying.keyed());
  EXPECT_EQ(keying.afterBlock(false, false, false, 256), Change::Off);
}

TEST(TransmitKeying, AbortDropsAtOnceEvenWithABuffer) {
  TransmitKeying keying;
  keying.setDrainFrames(4000);
  keying.afterBlock(true, true, false, 256);
  EXPECT_EQ(keying.afterBlock(false, false, true, 256), Change::Off);
  // An abort while already draining cuts the drain short too.
  keying.afterBlock(true, true, false, 256);
  EXPECT_EQ(keying.afterBlock(false, false, false, 256), Change::None);
  EXPECT_EQ(keying.afterBlock(false, false, true, 256), Change::Off);
  // An abort with nothing keyed announces nothing.
  EXPECT_EQ(keying.afterBlock(false, false, true, 256), Change::None);
}

TEST(TransmitKeying, KeyedAgainWhileDrainingStaysOnWithoutASecondOn) {
  TransmitKeying keying;
  keying.setDrainFrames(1000);
  keying.afterBlock(true, true, false, 256);
  keying.afterBlock(false, false, false, 256);
  EXPECT_EQ(keying.afterBlock(true, true, false, 256), Change::None);
  EXPECT_EQ(keying.afterBlock(false, true, false, 256), Change::None);
  EXPECT_TRUE(keying.keyed());
}

TEST(TransmitKeying, ATransmissionShorterThanABlockIsStillAnnouncedOnThenOff) {
  TransmitKeying keying;
  EXPECT_EQ(keying.afterBlock(true, false, false, 256), Change::OnOff);
  EXPECT_FALSE(keying.keyed());
}

}  // namespace
}  // namespace quillary::psk

#include "psk/ptt/TransmitKeying.h"

#include <gtest/gtest.h>

namespace quillary::psk {
namespace {

using Change = TransmitKeying::Change;

TEST(TransmitKeying, OnAndOffFollowTheTransmitterAndOffWaitsForTheBufferedTail) {
  TransmitKeying keying;  // afterBlock(turnedOn, on, aborted, frames)
  EXPECT_EQ(keying.afterBlock(false, false, false, 256), Change::None);
  EXPECT_EQ(keying.afterBlock(true, true, false, 256), Change::On);
  EXPECT_TRUE(keying.keyed());
  EXPECT_EQ(keying.afterBlock(false, true, false, 256), Change::None);
  EXPECT_EQ(keying.afterBlock(false, false, false, 256), Change::Off);
  EXPECT_FALSE(keying.keyed());
  EXPECT_EQ(keying.afterBlock(true, false, false, 256), Change::OnOff) << "shorter than a block";

  keying.setDrainFrames(600);
  keying.afterBlock(true, true, false, 256);
  for (int left : {600, 344, 88}) EXPECT_EQ(keying.afterBlock(false, false, false, 256), Change::None) << left;
  EXPECT_EQ(keying.afterBlock(false, false, false, 256), Change::Off);
  // Keyed again while draining: still on, no second On.
  keying.afterBlock(true, true, false, 256);
  keying.afterBlock(false, false, false, 256);
  EXPECT_EQ(keying.afterBlock(true, true, false, 256), Change::None);
  EXPECT_TRUE(keying.keyed());
}

TEST(TransmitKeying, AbortDropsAtOnceEvenWhileDraining) {
  TransmitKeying keying;
  keying.setDrainFrames(4000);
  keying.afterBlock(true, true, false, 256);
  EXPECT_EQ(keying.afterBlock(false, false, true, 256), Change::Off);
  keying.afterBlock(true, true, false, 256);
  EXPECT_EQ(keying.afterBlock(false, false, false, 256), Change::None);
  EXPECT_EQ(keying.afterBlock(false, false, true, 256), Change::Off);
  EXPECT_EQ(keying.afterBlock(false, false, true, 256), Change::None) << "nothing keyed";
}

}  // namespace
}  // namespace quillary::psk

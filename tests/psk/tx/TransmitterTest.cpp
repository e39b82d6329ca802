// The transmitter as the engine and the operator see it: queue and
// charsRemaining, stop, abort and restart, and the on/off events.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../PskTestSignals.h"
#include "psk/PskMode.h"

namespace quillary::psk {
namespace {

std::string decodeBpsk31(const std::vector<float>& audio) {
  return test::readBpsk(test::phaseChanges(audio, 1500, 256));
}

std::vector<float> append(std::vector<float> audio, const std::vector<float>& more) {
  audio.insert(audio.end(), more.begin(), more.end());
  return audio;
}

TEST(Transmitter, SendsQueuedStringsInOrderCountsWhatHasNotBegunAndDrainsOnStop) {
  Transmitter tx;
  tx.start(0);
  std::vector<float> audio(8192 + 256 * 40);  // preamble, then idle
  EXPECT_TRUE(tx.process(audio.size(), audio.data()).turnedOn);
  // Short texts join the one before; a long one is queued whole.
  const std::string paste(65, 'e');
  tx.enqueue("AB");
  tx.enqueue("c d");
  tx.enqueue(paste);
  tx.enqueue("\xE9\x8B");  // raw bytes of the extended table
  EXPECT_EQ(tx.charsRemaining(), 72u);
  std::vector<float> more(256);
  EXPECT_FALSE(tx.process(more.size(), more.data()).turnedOn);
  EXPECT_EQ(tx.charsRemaining(), 71u);  // the first has begun
  tx.stop();  // everything queued still goes out
  const auto rest = test::runUntilOff(tx, 512);
  EXPECT_EQ(decodeBpsk31(append(append(audio, more), rest.audio)), "ABc d" + paste + "\xE9\x8B");
  EXPECT_EQ(tx.charsRemaining(), 0u);
  EXPECT_TRUE(rest.onBlocks.empty());
  // Off is reported once, in the block that holds the last sample.
  ASSERT_EQ(rest.offBlocks, std::vector<std::size_t>{rest.audio.size() / 512 - 1});
  float lastBlockPeak = 0;
  for (std::size_t n = rest.audio.size() - 512; n < rest.audio.size(); ++n)
    lastBlockPeak = std::max(lastBlockPeak, std::abs(rest.audio[n]));
  EXPECT_GT(lastBlockPeak, 0.0f);
  EXPECT_FALSE(tx.on());
}

TEST(Transmitter, ClearQueueDropsWhatHasNotBegunAndFinishesTheCurrentCharacter) {
  Transmitter tx;
  tx.start(0);
  tx.enqueue("abc");
  std::vector<float> audio(8192 + 256);  // preamble and the first bit of 'a'
  tx.process(audio.size(), audio.data());
  EXPECT_EQ(tx.charsRemaining(), 2u);
  tx.clearQueue();
  EXPECT_EQ(tx.charsRemaining(), 0u);
  EXPECT_TRUE(tx.on());
  tx.enqueue("d");
  tx.stop();
  EXPECT_EQ(decodeBpsk31(append(audio, test::runUntilOff(tx).audio)), "ad");
}

TEST(Transmitter, AbortSilencesAtOnceReportsOffOnceAndANewStartFollows) {
  Transmitter tx;
  tx.enqueue("type-ahead");
  tx.abort();  // while off: drops the type-ahead, reports nothing
  EXPECT_EQ(tx.charsRemaining(), 0u);
  std::vector<float> block(3000);
  EXPECT_FALSE(tx.process(block.size(), block.data()).turnedOff);

  tx.start(1);
  tx.enqueue("a long text that will never be sent completely");
  EXPECT_TRUE(tx.process(block.size(), block.data()).turnedOn);
  tx.abort();
  EXPECT_FALSE(tx.on());
  EXPECT_EQ(tx.charsRemaining(), 0u);
  EXPECT_TRUE(tx.start(0));  // right after the abort: off is still reported first
  block.assign(block.size(), 1.0f);
  auto events = tx.process(block.size(), block.data());
  EXPECT_TRUE(events.turnedOff);
  EXPECT_FALSE(events.turnedOn);
  for (float s : block) ASSERT_EQ(s, 0.0f);
  tx.enqueue("ok");
  tx.stop();
  const auto run = test::runUntilOff(tx);
  EXPECT_EQ(run.onBlocks, std::vector<std::size_t>{0});
  EXPECT_EQ(run.offBlocks.size(), 1u);
  EXPECT_EQ(run.audio[0], 0.0f);  // the fade-in starts from silence
  EXPECT_EQ(decodeBpsk31(run.audio), "ok");

  tx.start(0);
  tx.abort();  // before any sample: nothing to report
  events = tx.process(block.size(), block.data());
  EXPECT_FALSE(events.turnedOn || events.turnedOff);
}

TEST(Transmitter, StartWhileOnKeepsSendingAndStartInThePostambleFollowsWithANewTransmission) {
  Transmitter tx;
  tx.start(0);
  tx.enqueue("ab");
  tx.stop();
  std::vector<float> block(8192);
  EXPECT_TRUE(tx.process(block.size(), block.data()).turnedOn);
  EXPECT_TRUE(tx.start(9));  // no restart: the stop is called off instead
  tx.enqueue("cd");
  tx.stop();
  const auto rest = test::runUntilOff(tx);
  EXPECT_TRUE(rest.onBlocks.empty());
  EXPECT_EQ(decodeBpsk31(append(block, rest.audio)), "abcd");

  tx.start(0);
  tx.stop();
  block.resize(8192 + 256 * 10);  // into the postamble
  tx.process(block.size(), block.data());
  EXPECT_TRUE(tx.start(0));
  tx.enqueue("hi");
  tx.stop();  // applies to the new transmission
  const auto run = test::runUntilOff(tx, 256, 20);
  ASSERT_EQ(run.offBlocks.size(), 2u);
  ASSERT_EQ(run.onBlocks.size(), 1u);
  EXPECT_EQ(run.onBlocks[0], run.offBlocks[0] + 1);
  EXPECT_EQ(decodeBpsk31({run.audio.begin() + 256 * run.onBlocks[0], run.audio.end()}), "hi");
}

}  // namespace
}  // namespace quillary::psk

// The transmitter's behaviour as the engine and the operator see it: queue,
// stop, abort, tune, CW identification and the on/off events.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "TxSignalProbe.h"
#include "psk/PskMode.h"
#include "psk/Transmitter.h"

namespace quillary::psk {
namespace {

std::string decodeBpsk31(const std::vector<float>& audio) {
  return test::readBpsk(test::phaseChanges(audio, 1500, 256));
}

// Runs of the envelope above / below half its peak, in samples, after `from`.
struct Keying {
  std::vector<std::size_t> on, off;
};
Keying keyingAfter(const std::vector<float>& audio, std::size_t from) {
  std::vector<double> envelope;
  for (std::size_t n = from; n < audio.size(); ++n)
    envelope.push_back(std::abs(test::mixDown(audio, 1500, n, 16)));  // 3 cycles of 3000 Hz
  double peak = 0;
  for (double e : envelope) peak = std::max(peak, e);
  Keying keying;
  bool keyed = false;
  std::size_t run = 0;
  for (double e : envelope) {
    const bool now = e > peak / 2;
    if (now != keyed) {
      if (keyed) keying.on.push_back(run); else if (!keying.on.empty()) keying.off.push_back(run);
      keyed = now;
      run = 0;
    }
    ++run;
  }
  if (keyed) keying.on.push_back(run);
  return keying;
}

std::size_t lastNonZero(const std::vector<float>& audio) {
  for (std::size_t n = audio.size(); n > 0; --n)
    if (audio[n - 1] != 0.0f) return n - 1;
  return 0;
}

TEST(Transmitter, RejectsBadFrequenciesAndModeCodes) {
  Transmitter tx;
  EXPECT_EQ(tx.frequency(), 1500.0);
  EXPECT_FALSE(tx.setFrequency(99.9));
  EXPECT_FALSE(tx.setFrequency(3900.5));
  EXPECT_FALSE(tx.setFrequency(std::nan("")));
  EXPECT_EQ(tx.frequency(), 1500.0);
  EXPECT_TRUE(tx.setFrequency(3900));
  EXPECT_FALSE(tx.start(2));
  EXPECT_FALSE(tx.start(-1));
  EXPECT_FALSE(tx.on());
  std::vector<float> out(500, 1.0f);
  const auto events = tx.process(out.size(), out.data());
  EXPECT_FALSE(events.turnedOn || events.turnedOff);
  for (float s : out) ASSERT_EQ(s, 0.0f);
}

TEST(Transmitter, SendsSeveralEnqueueCallsInOrderAndDrainsBeforeStopping) {
  Transmitter tx;
  tx.start(0);
  tx.enqueue("AB");
  tx.enqueue("c d");
  tx.enqueue("\xE9\x8B");  // raw bytes of the extended table
  EXPECT_EQ(tx.charsRemaining(), 7u);
  tx.stop();  // at once: everything queued still goes out
  const auto run = test::runUntilOff(tx, 512);
  EXPECT_EQ(decodeBpsk31(run.audio), "ABc d\xE9\x8B");
  EXPECT_EQ(tx.charsRemaining(), 0u);
  ASSERT_EQ(run.onBlocks, std::vector<std::size_t>{0});
  ASSERT_EQ(run.offBlocks.size(), 1u);
  // Reported in the block that holds the last sample, and on() is false after it.
  EXPECT_EQ(run.offBlocks[0], run.audio.size() / 512 - 1);
  EXPECT_GT(lastNonZero(run.audio), run.audio.size() - 512);
  EXPECT_FALSE(tx.on());
}

TEST(Transmitter, IdlesWhileTheQueueIsEmptyAndCountsCharactersNotYetBegun) {
  Transmitter tx;
  tx.start(0);
  std::vector<float> audio(8192 + 256 * 40);  // preamble, then idle
  EXPECT_TRUE(tx.process(audio.size(), audio.data()).turnedOn);
  EXPECT_TRUE(tx.on());
  tx.enqueue("eee");  // 'e' is "11": four symbols with its "00"
  EXPECT_EQ(tx.charsRemaining(), 3u);
  std::vector<float> more(256);
  tx.process(more.size(), more.data());
  EXPECT_EQ(tx.charsRemaining(), 2u);  // the first has begun
  audio.insert(audio.end(), more.begin(), more.end());
  more.assign(256 * 4, 0.0f);
  tx.process(more.size(), more.data());
  EXPECT_EQ(tx.charsRemaining(), 1u);
  audio.insert(audio.end(), more.begin(), more.end());
  tx.stop();
  const auto rest = test::runUntilOff(tx);
  audio.insert(audio.end(), rest.audio.begin(), rest.audio.end());
  EXPECT_EQ(decodeBpsk31(audio), "eee");
  EXPECT_TRUE(rest.onBlocks.empty());
  EXPECT_EQ(rest.offBlocks.size(), 1u);
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
  const auto rest = test::runUntilOff(tx);
  audio.insert(audio.end(), rest.audio.begin(), rest.audio.end());
  EXPECT_EQ(decodeBpsk31(audio), "ad");
}

TEST(Transmitter, AbortSilencesAtOnceAndDropsTheQueue) {
  Transmitter tx;
  tx.start(1);
  tx.enqueue("a long text that will never be sent completely");
  std::vector<float> block(3000);
  tx.process(block.size(), block.data());
  tx.process(block.size(), block.data());
  tx.abort();
  EXPECT_FALSE(tx.on());
  EXPECT_EQ(tx.charsRemaining(), 0u);
  block.assign(block.size(), 1.0f);
  auto events = tx.process(block.size(), block.data());
  EXPECT_TRUE(events.turnedOff);
  EXPECT_FALSE(events.turnedOn);
  for (float s : block) ASSERT_EQ(s, 0.0f);
  events = tx.process(block.size(), block.data());
  EXPECT_FALSE(events.turnedOff);
  // A new start sends a new transmission, without the dropped text.
  tx.start(0);
  tx.enqueue("ok");
  tx.stop();
  const auto run = test::runUntilOff(tx);
  EXPECT_EQ(decodeBpsk31(run.audio), "ok");
  EXPECT_EQ(run.onBlocks, std::vector<std::size_t>{0});
}

TEST(Transmitter, AbortBeforeAnySampleReportsNothingAndAbortWhileOffDropsTypeAhead) {
  Transmitter tx;
  tx.enqueue("type-ahead");
  tx.abort();
  EXPECT_EQ(tx.charsRemaining(), 0u);
  tx.start(0);
  tx.abort();
  std::vector<float> block(400);
  const auto events = tx.process(block.size(), block.data());
  EXPECT_FALSE(events.turnedOn || events.turnedOff);
}

TEST(Transmitter, StartRightAfterAbortReportsOffFirstThenOn) {
  Transmitter tx;
  tx.start(kTuneCode);
  std::vector<float> block(300);
  EXPECT_TRUE(tx.process(block.size(), block.data()).turnedOn);
  tx.abort();
  EXPECT_TRUE(tx.start(0));
  auto events = tx.process(block.size(), block.data());
  EXPECT_TRUE(events.turnedOff);
  EXPECT_FALSE(events.turnedOn);
  for (float s : block) ASSERT_EQ(s, 0.0f);
  events = tx.process(block.size(), block.data());
  EXPECT_TRUE(events.turnedOn);
  EXPECT_FALSE(events.turnedOff);
  EXPECT_EQ(block[0], 0.0f);  // the fade-in starts from silence
  EXPECT_NE(block[100], 0.0f);
}

TEST(Transmitter, StartWhileOnRestartsNothingAndKeepsSending) {
  Transmitter tx;
  tx.start(0);
  tx.enqueue("ab");
  tx.stop();
  std::vector<float> block(8192);
  auto first = tx.process(block.size(), block.data());
  std::vector<float> audio(block);
  EXPECT_TRUE(tx.start(9));  // no restart: the stop is called off instead
  tx.enqueue("cd");
  tx.stop();
  const auto rest = test::runUntilOff(tx);
  audio.insert(audio.end(), rest.audio.begin(), rest.audio.end());
  EXPECT_TRUE(first.turnedOn);
  EXPECT_TRUE(rest.onBlocks.empty());
  EXPECT_EQ(decodeBpsk31(audio), "abcd");
}

TEST(Transmitter, StartDuringThePostambleFollowsWithANewTransmission) {
  Transmitter tx;
  tx.start(0);
  tx.stop();
  std::vector<float> block(8192 + 256 * 10);  // into the postamble
  tx.process(block.size(), block.data());
  EXPECT_TRUE(tx.start(0));
  tx.enqueue("hi");
  tx.stop();  // applies to the new transmission
  const auto run = test::runUntilOff(tx, 256, 20);
  ASSERT_EQ(run.offBlocks.size(), 2u);
  ASSERT_EQ(run.onBlocks.size(), 1u);
  EXPECT_EQ(run.onBlocks[0], run.offBlocks[0] + 1);
  const std::vector<float> second(run.audio.begin() + 256 * run.onBlocks[0], run.audio.end());
  EXPECT_EQ(decodeBpsk31(second), "hi");
}

TEST(Transmitter, TuneIsASteadyCarrierOnTheTransmitFrequencyAndStopsWithoutId) {
  Transmitter tx;
  ASSERT_TRUE(tx.setFrequency(1000));
  tx.setCwId("de N0CALL");
  tx.enqueue("queued");
  ASSERT_TRUE(tx.start(kTuneCode));
  std::vector<float> audio(8000);
  EXPECT_TRUE(tx.process(audio.size(), audio.data()).turnedOn);
  // After a short fade-in, a constant cosine at 1000 Hz starting at phase 0.
  double amplitude = 0;
  for (std::size_t n = 200; n < audio.size(); ++n) amplitude = std::max(amplitude, double(std::abs(audio[n])));
  EXPECT_GT(amplitude, 0.5);
  EXPECT_LE(amplitude, 0.9);
  for (std::size_t n = 200; n < audio.size(); ++n)
    ASSERT_NEAR(audio[n], amplitude * std::cos(2 * M_PI * 1000 * n / 8000.0), 1e-4) << n;
  EXPECT_EQ(tx.charsRemaining(), 6u);  // tune sends no text
  tx.stop();
  const auto rest = test::runUntilOff(tx, 100);
  EXPECT_EQ(rest.offBlocks.size(), 1u);
  EXPECT_LE(rest.audio.size(), 600u);  // a fade within 75 ms, no CW ID
  float last = 1;
  for (std::size_t n = 0; n <= lastNonZero(rest.audio); ++n) last = std::abs(rest.audio[n]);
  EXPECT_LT(last, 0.01f);
}

TEST(Transmitter, BpskEndsOnSteadyCarrierAndQpskOnReversals) {
  for (int code : {0, 1, 16, 17}) {
    const PskMode mode = *modeFromCode(code);
    Transmitter tx;
    tx.start(code);
    tx.enqueue("x");
    tx.stop();
    const auto run = test::runUntilOff(tx);
    const auto changes = test::phaseChanges(run.audio, 1500, mode.samplesPerSymbol);
    ASSERT_GT(changes.size(), 20u);
    // The last 20 changes (the register is long flushed by then).
    for (std::size_t i = changes.size() - 20; i < changes.size(); ++i)
      EXPECT_EQ(changes[i], mode.qpsk ? 2 : 0) << "mode " << code << " change " << i;
  }
}

TEST(Transmitter, SendsTheCwIdAfterThePostambleAtTwentyWpm) {
  Transmitter tx;
  tx.setCwId("*");  // SK: ...-.-
  tx.start(0);
  tx.stop();
  const auto run = test::runUntilOff(tx);
  const std::size_t postambleEnd = 2 * 8192;  // preamble, then postamble at once
  for (std::size_t n = postambleEnd - 100; n < postambleEnd + 1000; ++n)
    ASSERT_LT(std::abs(run.audio[n]), 0.75f);  // the fade, then a gap before the Morse
  const Keying keying = keyingAfter(run.audio, postambleEnd);
  // Dit 60 ms (480 samples), dah 180 ms, element gaps one dit.
  const std::vector<std::size_t> expectedOn{480, 480, 480, 1440, 480, 1440};
  ASSERT_EQ(keying.on.size(), expectedOn.size());
  for (std::size_t i = 0; i < expectedOn.size(); ++i) EXPECT_NEAR(keying.on[i], expectedOn[i], 24.0) << i;
  ASSERT_EQ(keying.off.size(), 5u);
  for (std::size_t gap : keying.off) EXPECT_NEAR(gap, 480, 24.0);
  EXPECT_EQ(run.offBlocks.size(), 1u);
  // The Morse is keyed softly: the envelope never jumps between samples.
  for (std::size_t n = postambleEnd + 1; n < run.audio.size(); ++n)
    ASSERT_LT(std::abs(run.audio[n] - run.audio[n - 1]), 0.8 * 2 * M_PI * 1500 / 8000 + 0.05);
}

}  // namespace
}  // namespace quillary::psk

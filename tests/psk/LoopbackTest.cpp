// The transmitter's signal through a channel into the receiver: every mode,
// every byte value, noise, a carrier off tune and a sound-card clock off.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "PskTestSignals.h"
#include "psk/PskMode.h"
#include "psk/dsp/Resampler.h"

namespace quillary::psk::test {
namespace {

constexpr int kModes[] = {0, 1, 8, 9, 16, 17};

std::string everyByte() {
  std::string text;
  for (int b = 0; b < 256; ++b) text += static_cast<char>(b);
  return text;
}

TEST(Loopback, EveryByteValueInEveryModeThroughNoiseAndClockErrors) {
  // 3 dB in 3 kHz: a few dB above where the 125 baud modes start to make
  // errors. Over 256 characters a 300 ppm clock drifts almost a symbol.
  const std::string text = everyByte();
  for (int code : kModes) {
    const auto sent = transmit(code, text);
    auto noisy = sent;
    addNoise(noisy, 3.0, 1234);
    auto receiver = receiverFor(code);
    EXPECT_EQ(decodeAll(receiver, noisy), text) << code;
    for (double ppm : {-300.0, 300.0}) {
      // A card whose clock runs fast takes more samples of the same signal.
      std::vector<float> samples;
      Resampler card(8000.0, 8000.0 * (1 + ppm * 1e-6));
      card.process(sent.size(), sent.data(), samples);
      addNoise(samples, 10.0, 5);
      auto tracking = receiverFor(code, 500);
      EXPECT_EQ(decodeAll(tracking, samples), text) << code << " " << ppm << " ppm";
    }
  }
}

TEST(Loopback, CleanTransmissionsDecodeExactlyWithTheSquelchOpen) {
  // Nothing but the text: the carrier fading in and out must not print.
  for (int code : kModes)
    for (double lead : {0.5, 0.0371})
      for (const std::string text : {"e", "\r\n:N0CALL/PHOTO\r\n"}) {
        auto receiver = receiverFor(code, 0, 0);
        EXPECT_EQ(decodeAll(receiver, transmit(code, text, 1500, lead)), text) << code << " lead " << lead;
      }
}

// A two-baud neighbour twice as strong, keyed three seconds into the call:
// well within the AFC's reach, so only a receiver that holds its own station
// keeps the text.
TEST(Loopback, AfcHoldsItsStationAgainstAStrongerNeighbourTwoBaudAway) {
  const std::string text = "CQ CQ de N0CALL N0CALL pse k\r\n";
  std::string chatter;
  for (int i = 0; i < 200; ++i) chatter += static_cast<char>('a' + i % 26);
  for (auto [code, spacing] : {std::pair{0, 60.0}, {17, 250.0}})
    for (double side : {-1.0, 1.0}) {
      auto samples = transmit(code, text);
      const auto neighbour = transmit(code, chatter, 1500 + side * spacing, 3.0);
      for (std::size_t n = 0; n < samples.size() && n < neighbour.size(); ++n) samples[n] += 2 * neighbour[n];
      addNoise(samples, 10, 21);
      auto receiver = receiverFor(code, 500);
      EXPECT_EQ(decodeAll(receiver, samples), text) << code << " " << side;
      EXPECT_NEAR(receiver.frequency(), 1500, 2) << code << " " << side;
    }
}

// A station whose carrier moves by `hzPerSecond` from `hz` on.
std::vector<float> drifting(int code, const std::string& text, double hz, double hzPerSecond) {
  Transmitter tx;
  tx.setFrequency(hz);
  tx.start(code);
  tx.enqueue(text);
  tx.stop();
  std::vector<float> samples, block(80);
  for (std::size_t n = 0; tx.on(); n += block.size()) {
    tx.setFrequency(hz + hzPerSecond * n / 8000.0);
    tx.process(block.size(), block.data());
    samples.insert(samples.end(), block.begin(), block.end());
  }
  return samples;
}

// A strong station 5.5 baud off is beyond the capture range: the receiver
// never moves towards it. A station drifting 1 Hz a second is followed up
// to the limit.
TEST(Loopback, AfcLeavesAStationBeyondItsCaptureRangeAndFollowsADriftUpToItsLimit) {
  const std::string call = "CQ CQ de N0CALL N0CALL pse k\r\n";
  for (int code : {0, 9, 17}) {
    const double baud = modeFromCode(code)->baud();
    for (double side : {-1.0, 1.0}) {
      auto samples = transmit(code, call, 1500 + side * 5.5 * baud);
      addNoise(samples, 20.0, 31);
      auto receiver = receiverFor(code, 500);
      std::vector<uint8_t> decoded;
      for (std::size_t at = 0; at < samples.size(); at += 400) {
        receiver.process(std::min<std::size_t>(400, samples.size() - at), samples.data() + at, decoded);
        ASSERT_NEAR(receiver.frequency(), 1500, 1.0) << code << " " << side << " at " << at;
      }
    }
    auto samples = drifting(code, call + call, 1500, 1.0);
    const double end = 1500 + 1.0 * samples.size() / 8000.0;
    addNoise(samples, 0.0, 3);
    auto following = receiverFor(code, 500), limited = receiverFor(code, 10);
    EXPECT_EQ(decodeAll(following, samples), call + call) << code;
    EXPECT_NEAR(following.frequency(), end, 1.0) << code;
    decodeAll(limited, samples);
    EXPECT_NEAR(limited.frequency(), std::min(end, 1510.0), 1.0) << code << ": held at the limit";
  }
}

// Both ends take the audio band only, and a refused value leaves the one
// before in place; a refused start leaves the transmitter silent.
TEST(Limits, ReceiverAndTransmitterRefuseFrequenciesAndModesOutsideWhatTheyKnow) {
  Receiver receiver;
  Transmitter tx;
  double kept = 1500;
  const std::pair<double, bool> frequencies[] = {
      {1234, true}, {99.9, false}, {100, true}, {3900, true}, {3900.5, false}, {std::nan(""), false}};
  for (const auto& [hz, taken] : frequencies) {
    EXPECT_EQ(receiver.setFrequency(hz), taken) << hz;
    EXPECT_EQ(tx.setFrequency(hz), taken) << hz;
    if (taken) kept = hz;
    EXPECT_DOUBLE_EQ(receiver.frequency(), kept) << hz;
    EXPECT_DOUBLE_EQ(tx.frequency(), kept) << hz;
  }
  for (int code : {2, 4, -1}) EXPECT_FALSE(receiver.setMode(code)) << code;  // 4: tune is no receive mode
  for (int squelch : {-1, 100}) EXPECT_FALSE(receiver.setSquelch(squelch)) << squelch;
  for (int code : {2, -1}) EXPECT_FALSE(tx.start(code)) << code;
  std::vector<float> out(500, 1.0f);
  const auto events = tx.process(out.size(), out.data());
  EXPECT_FALSE(events.turnedOn || events.turnedOff);
  EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float s) { return s == 0.0f; }));
}

TEST(Loopback, AfcKeepsWhatItFoundOverAModeChangeAndTakesTheWholeHertzReadBackAsNoRetune) {
  auto limited = receiverFor(0, 20, 0);
  EXPECT_EQ(decodeAll(limited, transmit(0, "within reach", 1515)), "within reach");
  const double followed = limited.frequency();
  EXPECT_NEAR(followed, 1515.0, 0.5);
  ASSERT_TRUE(limited.setMode(1));
  EXPECT_DOUBLE_EQ(limited.frequency(), followed) << "a mode change keeps what the AFC found";
  limited.setAfcLimit(0);
  EXPECT_DOUBLE_EQ(limited.frequency(), 1500.0) << "AFC off: back to the frequency set";

  // The terminal writes the frequency it reads, rounded, back ten times a second.
  auto samples = transmit(1, "CQ CQ de N0CALL pse k\r\n", 1503.4);
  addNoise(samples, 10, 3);
  auto receiver = receiverFor(1, 500);
  std::vector<uint8_t> decoded;
  for (std::size_t at = 0; at < samples.size(); at += 800) {
    receiver.process(std::min<std::size_t>(800, samples.size() - at), samples.data() + at, decoded);
    ASSERT_TRUE(receiver.setFrequency(std::round(receiver.frequency())));
  }
  EXPECT_EQ(std::string(decoded.begin(), decoded.end()), "CQ CQ de N0CALL pse k\r\n");
  EXPECT_NEAR(receiver.frequency(), 1503.4, 0.2) << "finer than whole hertz";
  ASSERT_TRUE(receiver.setFrequency(1600));
  EXPECT_DOUBLE_EQ(receiver.frequency(), 1600) << "a real retune";
}

}  // namespace
}  // namespace quillary::psk::test

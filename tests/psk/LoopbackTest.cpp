// The transmitter's signal through a channel into the receiver: every mode,
// every byte value, noise, a neighbour, a carrier off tune, a clock off.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "PskTestSignals.h"
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

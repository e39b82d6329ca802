// The transmitter's signal through a channel into the receiver: every mode,
// every byte value, noise, a carrier off tune and a sound-card clock off.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "RxTestSignals.h"
#include "psk/Receiver.h"
#include "psk/Resampler.h"

namespace quillary::psk::test {
namespace {

struct Mode {
  const char* name;
  int code;
};
constexpr Mode kModes[] = {{"BPSK31", 0}, {"QPSK31", 1},  {"BPSK63", 8},
                           {"QPSK63", 9}, {"BPSK125", 16}, {"QPSK125", 17}};

// 3 dB in 3 kHz: a few dB above where the 125 baud modes start to make
// errors (about -3 dB), far above it at 31.25 baud (about -9 dB).
constexpr double kNoiseSnrDb = 3.0;
// Noise before a signal prints as noise; the operator's squelch holds it back.
constexpr int kSquelch = 30;

std::string everyByte() {
  std::string text;
  for (int b = 0; b < 256; ++b) text += static_cast<char>(b);
  return text;
}

Receiver receiverFor(int code, double afcLimit = 0) {
  Receiver receiver;
  EXPECT_TRUE(receiver.setMode(code));
  EXPECT_TRUE(receiver.setFrequency(1500));
  receiver.setAfcLimit(afcLimit);
  EXPECT_TRUE(receiver.setSquelch(kSquelch));
  return receiver;
}

TEST(Loopback, EveryByteValueInEveryModeThroughNoise) {
  // Noise from half a second before the transmission to its end; the
  // squelch keeps the noise around it out of the text.
  const std::string text = everyByte();
  for (const auto& mode : kModes) {
    auto samples = transmit(mode.code, text);
    addNoise(samples, kNoiseSnrDb, 1234);
    auto receiver = receiverFor(mode.code);
    EXPECT_EQ(decodeAll(receiver, samples), text) << mode.name;
  }
}

TEST(Loopback, CleanTransmissionsDecodeExactlyWithTheSquelchOpen) {
  // Nothing but the text: the carrier fading in and out must not print.
  for (const auto& mode : kModes) {
    for (double lead : {0.5, 0.1234, 0.0371}) {
      for (const std::string text : {"Hello", "e", "\r\n:N0CALL/PHOTO\r\n"}) {
        Receiver receiver;
        ASSERT_TRUE(receiver.setMode(mode.code));
        ASSERT_TRUE(receiver.setFrequency(1500));
        EXPECT_EQ(decodeAll(receiver, transmit(mode.code, text, 1500, lead)), text)
            << mode.name << " lead " << lead;
      }
    }
  }
}

TEST(Loopback, AfcPullsInACarrierFortyHertzOff) {
  const std::string text = "CQ CQ de N0CALL N0CALL pse k\r\n";
  for (const auto& mode : kModes) {
    for (double offset : {-40.0, 40.0}) {
      auto samples = transmit(mode.code, text, 1500 + offset);
      addNoise(samples, 10.0, 99);
      auto receiver = receiverFor(mode.code, 500);
      EXPECT_EQ(decodeAll(receiver, samples), text) << mode.name << " " << offset << " Hz";
      EXPECT_NEAR(receiver.frequency(), 1500 + offset, 2.0) << mode.name << " " << offset << " Hz";
    }
  }
}

TEST(Loopback, AfcHoldsItsStationWhenAStrongerNeighbourStarts) {
  const std::string text = "The quick brown fox jumps over the lazy dog 0123456789";
  std::string chatter;
  for (int i = 0; i < 200; ++i) chatter += static_cast<char>('a' + i % 26);
  const struct {
    int code;
    double spacing;  // two baud: the neighbour's spectrum clear of ours
  } cases[] = {{0, 60}, {1, 60}, {16, 250}, {17, 250}};
  for (const auto& c : cases) {
    for (double side : {-1.0, 1.0}) {
      auto samples = transmit(c.code, text, 1500);
      // Twice as strong, keyed three seconds later, within the AFC's reach.
      const auto neighbour = transmit(c.code, chatter, 1500 + side * c.spacing, 3.0);
      for (std::size_t n = 0; n < samples.size() && n < neighbour.size(); ++n) samples[n] += 2 * neighbour[n];
      addNoise(samples, 10, 21);
      auto receiver = receiverFor(c.code, 500);
      EXPECT_EQ(decodeAll(receiver, samples), text) << c.code << " " << side;
      EXPECT_NEAR(receiver.frequency(), 1500, 2) << c.code << " " << side;
    }
  }
}

TEST(Loopback, TheFrequencyReportedBackInWholeHertzIsNoRetune) {
  // With AFC on, the terminal writes the frequency it reads back, rounded,
  // into the receiver about ten times a second.
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

TEST(Loopback, AfcStaysWithinItsLimitOfTheFrequencySet) {
  auto samples = transmit(0, "limited", 1540);
  auto receiver = receiverFor(0, 20);
  decodeAll(receiver, samples);
  // Pulled towards the station at 1540 Hz, held at the limit.
  EXPECT_GT(receiver.frequency(), 1510.0);
  EXPECT_LE(receiver.frequency(), 1520.0);
  // A change of mode keeps the frequency the AFC found; turning AFC off
  // goes back to the frequency set.
  const double followed = receiver.frequency();
  ASSERT_TRUE(receiver.setMode(1));
  EXPECT_DOUBLE_EQ(receiver.frequency(), followed);
  receiver.setAfcLimit(0);
  EXPECT_DOUBLE_EQ(receiver.frequency(), 1500.0);
}

TEST(Loopback, SoundCardClockThreeHundredPpmOff) {
  // 256 characters take 90 s at 31.25 baud: the clocks drift almost a
  // whole symbol apart over them.
  const std::string text = everyByte();
  for (const auto& mode : kModes) {
    for (double ppm : {-300.0, 300.0}) {
      // A card whose clock runs fast takes more samples of the same signal.
      const auto sent = transmit(mode.code, text);
      std::vector<float> samples;
      Resampler card(8000.0, 8000.0 * (1 + ppm * 1e-6));
      card.process(sent.size(), sent.data(), samples);
      addNoise(samples, 10.0, 5);
      auto receiver = receiverFor(mode.code, 500);
      EXPECT_EQ(decodeAll(receiver, samples), text) << mode.name << " " << ppm << " ppm";
    }
  }
}

TEST(Loopback, OwnPhotoCommandDecodesToTheSidecarText) {
  const std::string text = readFile(std::string(QUILLARY_TEST_DATA) + "/peer/BPSK31_1500_photo.txt");
  for (int code : {0, 1}) {
    auto samples = transmit(code, text, 1500, 0.0);
    Receiver receiver;
    ASSERT_TRUE(receiver.setMode(code));
    ASSERT_TRUE(receiver.setFrequency(1500));
    EXPECT_EQ(decodeAll(receiver, samples), text) << code;
  }
}

}  // namespace
}  // namespace quillary::psk::test

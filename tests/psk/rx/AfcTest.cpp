// The AFC as an operator meets it, in every mode: it finds a station up to
// 4.5 baud off (beyond, it holds where it was set, however strong what is
// there), keeps the station it was set on beside another, and follows a
// station that drifts, up to its limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "../PskTestSignals.h"
#include "psk/PskMode.h"

namespace quillary::psk::test {
namespace {

constexpr int kModes[] = {0, 1, 8, 9, 16, 17};
const std::string kCall = "CQ CQ de N0CALL N0CALL pse k\r\n";

double baudOf(int code) { return modeFromCode(code)->baud(); }

// `b` (from `at` samples on) added to `a`, times `gain`.
std::vector<float> mixed(std::vector<float> a, const std::vector<float>& b, float gain) {
  a.resize(std::max(a.size(), b.size()), 0.0f);
  for (std::size_t n = 0; n < b.size(); ++n) a[n] += gain * b[n];
  return a;
}

struct Tuned {
  std::string text;
  double lowest = 1e9, highest = 0;  // the receive frequency, block by block
};

Tuned receive(Receiver& receiver, std::vector<float> samples) {
  samples.resize(samples.size() + 8000, 0.0f);
  Tuned run;
  std::vector<uint8_t> decoded;
  for (std::size_t at = 0; at < samples.size(); at += 400) {
    receiver.process(std::min<std::size_t>(400, samples.size() - at), samples.data() + at, decoded);
    run.lowest = std::min(run.lowest, receiver.frequency());
    run.highest = std::max(run.highest, receiver.frequency());
  }
  run.text.assign(decoded.begin(), decoded.end());
  return run;
}

TEST(Afc, HoldsBesideAStrongStationJustBeyondItsCaptureRange) {
  for (int code : kModes)
    for (double side : {-1.0, 1.0}) {
      auto samples = transmit(code, kCall, 1500 + side * 5.5 * baudOf(code));
      addNoise(samples, 20.0, 31);
      auto receiver = receiverFor(code, 500);
      const Tuned run = receive(receiver, samples);
      EXPECT_GE(run.lowest, 1499.0) << code << " " << side;
      EXPECT_LE(run.highest, 1501.0) << code << " " << side;
    }
}

TEST(Afc, FindsAWeakStationTwoBaudOffAndCopiesIt) {
  // A few dB above where each mode begins to make errors in tune, a second
  // of noise before it; the squelch open (what it prints of the noise is
  // the squelch's business).
  for (auto [code, snr] : {std::pair{0, -8.0}, {1, -8.0}, {8, -5.0}, {9, -5.0}, {16, -2.0}, {17, -2.0}})
    for (double side : {-1.0, 1.0}) {
      const double station = 1500 + side * 2 * baudOf(code);
      auto samples = transmit(code, kCall, station, 1.0);
      addNoise(samples, snr, 7);
      auto receiver = receiverFor(code, 500, 0);
      const std::string text = receive(receiver, samples).text;
      EXPECT_NE(text.find(kCall), std::string::npos) << code << " " << side << ": " << text;
      EXPECT_NEAR(receiver.frequency(), station, 0.02 * baudOf(code)) << code << " " << side;
    }
}

TEST(Afc, KeepsTheStationItWasSetOnBesideAStrongerOneThreeBaudAway) {
  std::string chatter;
  for (int i = 0; i < 120; ++i) chatter += static_cast<char>('a' + i % 26);
  for (int code : kModes) {
    // Set a little off the one; the other, twice as strong, keyed once the
    // first is sending text and on long after it has signed.
    const double baud = baudOf(code);
    auto samples = mixed(transmit(code, kCall, 1500, 0.5), transmit(code, chatter, 1500 + 3 * baud, 2.0), 2.0f);
    addNoise(samples, 10.0, 5);
    Receiver receiver;
    ASSERT_TRUE(receiver.setMode(code));
    ASSERT_TRUE(receiver.setFrequency(1500 + 0.4 * baud));
    receiver.setAfcLimit(500);
    ASSERT_TRUE(receiver.setSquelch(30));
    const Tuned run = receive(receiver, samples);
    EXPECT_EQ(run.text, kCall) << code;
    EXPECT_NEAR(receiver.frequency(), 1500, 0.02 * baud) << code;
    EXPECT_LT(run.highest, 1500 + 0.5 * baud) << code << ": it never went over to the other";
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

TEST(Afc, FollowsADriftingStationUpToItsLimit) {
  for (int code : {0, 9}) {
    auto samples = drifting(code, kCall + kCall, 1500, 1.0);
    const double end = 1500 + 1.0 * samples.size() / 8000.0;
    addNoise(samples, 0.0, 3);
    auto following = receiverFor(code, 500);
    EXPECT_EQ(receive(following, samples).text, kCall + kCall) << code;
    EXPECT_NEAR(following.frequency(), end, 1.0) << code;
    auto limited = receiverFor(code, 10);
    receive(limited, samples);
    EXPECT_NEAR(limited.frequency(), 1510, 1.0) << code << ": held at the limit";
  }
}

}  // namespace
}  // namespace quillary::psk::test

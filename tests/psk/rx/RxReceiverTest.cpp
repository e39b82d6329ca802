// The receiver's squelch, signal quality, vector points and IMD.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "../PskTestSignals.h"
#include "psk/dsp/Resampler.h"

namespace quillary::psk::test {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

std::vector<float> noise(double seconds, double rms, unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<float> gauss(0.0f, static_cast<float>(rms));
  std::vector<float> samples(static_cast<std::size_t>(seconds * 8000));
  for (float& s : samples) s = gauss(random);
  return samples;
}

// A station idling at `hz` (reversals: two tones at +-baud/2) with a
// third-order pair at +-3 baud/2, `imdDb` below the fundamentals.
std::vector<float> idleWithImd(double hz, double baud, double imdDb, double seconds) {
  using std::numbers::pi;
  std::vector<float> samples(static_cast<std::size_t>(seconds * 8000));
  for (std::size_t n = 0; n < samples.size(); ++n) {
    const double t = n / 8000.0;
    const double envelope = std::cos(pi * baud * t) + std::pow(10.0, imdDb / 20) * std::cos(3 * pi * baud * t);
    samples[n] = static_cast<float>(0.4 * envelope * std::cos(2 * pi * hz * t));
  }
  return samples;
}

std::vector<int> imdReadings(Receiver& receiver, const std::vector<float>& samples) {
  std::vector<int> readings;
  std::vector<uint8_t> decoded;
  for (std::size_t at = 0; at < samples.size(); at += 400) {
    receiver.process(std::min<std::size_t>(400, samples.size() - at), samples.data() + at, decoded);
    if (auto reading = receiver.takeImdReading()) readings.push_back(*reading);
    EXPECT_FALSE(receiver.takeImdReading().has_value()) << "a reading is taken once";
  }
  return readings;
}

TEST(RxReceiver, SquelchHoldsBackNoiseButNotASignal) {
  const auto hiss = noise(20, 0.1, 77);
  auto open = receiverFor(0, 0, 0);
  EXPECT_FALSE(decodeAll(open, hiss).empty()) << "threshold 0 decodes everything, noise too";
  for (int code : {0, 1, 16, 17}) {
    auto squelched = receiverFor(code, 0, 50);
    EXPECT_EQ(decodeAll(squelched, hiss), "") << code;
    EXPECT_LT(squelched.signalQuality(), 50);
    // The same squelch lets a clean signal through, from its first character.
    EXPECT_EQ(decodeAll(squelched, transmit(code, "de N0CALL\r\n")), "de N0CALL\r\n") << code;
  }
}

// A quiet frequency watched for a long time: on noise the symbol clock's
// error has no mean, and a clock that kept every step of it wandered to
// its limit within minutes, so the station that finally came was copied
// with holes. After ten minutes of noise a station copies exactly, also
// one whose card runs 300 ppm fast.
TEST(RxReceiver, AStationAfterTenMinutesOfNoiseCopiesExactly) {
  const std::string text = "CQ CQ de JA1XYZ JA1XYZ pse k\r:JA1XYZ/PHOTO\r";
  for (int code : {0, 16}) {
    for (double ppm : {0.0, 300.0}) {
      const auto sent = transmit(code, text, 1500, 0.0);
      std::vector<float> samples(600 * 8000, 0.0f);
      Resampler card(8000.0, 8000.0 * (1 + ppm * 1e-6));
      card.process(sent.size(), sent.data(), samples);
      const auto hiss = noise(samples.size() / 8000.0 + 1, 0.05, 24);
      for (std::size_t n = 0; n < samples.size(); ++n) samples[n] = 0.3f * samples[n] + hiss[n];
      auto receiver = receiverFor(code, 500, 30);
      const std::string got = decodeAll(receiver, samples);
      EXPECT_EQ(got.substr(got.size() - std::min(got.size(), text.size())), text) << code << " " << ppm << " ppm";
    }
  }
}

TEST(RxReceiver, QualityAndVectorPointsFollowTheSignal) {
  auto receiver = receiverFor(0, 0, 0);
  std::vector<uint8_t> decoded;
  const auto idle = idleWithImd(1500, 31.25, -200, 3);  // every change a reversal
  receiver.process(idle.size(), idle.data(), decoded);
  EXPECT_GE(receiver.signalQuality(), 95);
  const auto points = receiver.vectorPoints();
  for (int k = 0; k < 8; ++k) {
    EXPECT_LT(points[2 * k], -800) << k;  // on the negative x axis
    EXPECT_NEAR(points[2 * k + 1], 0, 100) << k;
  }
  const auto hiss = noise(5, 0.1, 3);
  receiver.process(hiss.size(), hiss.data(), decoded);
  EXPECT_LT(receiver.signalQuality(), 50);
  for (int32_t value : receiver.vectorPoints()) EXPECT_LE(std::abs(value), 1000);
}

TEST(RxReceiver, BlockSizesAndDamagedSamplesDoNotChangeTheText) {
  const std::string text = "The same text\r\n";
  for (int code : {0, 17}) {
    auto samples = transmit(code, text);
    addNoise(samples, 10, 4);
    for (double afc : {0.0, 500.0})
      for (std::size_t block : {1u, 77u, 8000u}) {
        auto receiver = receiverFor(code, afc);
        EXPECT_EQ(decodeAll(receiver, samples, 1.0, block), text) << code << " " << block;
      }
    // A burst of samples that are no numbers before the transmission.
    for (std::size_t n = 100; n < 300; ++n) samples[n] = n % 2 ? kNaN : std::numeric_limits<float>::infinity();
    auto receiver = receiverFor(code, 500);
    EXPECT_EQ(decodeAll(receiver, samples), text) << code;
    EXPECT_NEAR(receiver.frequency(), 1500, 1);
  }
}

TEST(RxReceiver, ImdReadsTheThirdOrderProductsOfACleanIdleOnly) {
  for (auto [code, baud] : {std::pair{0, 31.25}, {8, 62.5}, {17, 125.0}})
    for (double imd : {-30.0, -20.0})
      for (double offset : {0.0, 3.0}) {  // a station a little off tune, AFC off
        auto receiver = receiverFor(code, 0, 0);
        const auto readings = imdReadings(receiver, idleWithImd(1500 + offset, baud, imd, 5.5));
        // At most one a second: five seconds of idle, the first taken to settle.
        EXPECT_GE(readings.size(), 2u) << code << " " << imd;
        EXPECT_LE(readings.size(), 5u) << code << " " << imd;
        for (int reading : readings) EXPECT_NEAR(reading, imd, 2.0) << code << " " << offset;
      }
  auto data = receiverFor(0, 0, 0);
  EXPECT_LE(imdReadings(data, transmit(0, "no idle here, only text and more text", 1500, 0)).size(), 1u)
      << "only the preamble (one second of reversals) may give a reading";
  auto noisy = idleWithImd(1500, 31.25, -30, 6);
  addNoise(noisy, 0.0, 8);
  auto other = receiverFor(0, 0, 0);
  EXPECT_TRUE(imdReadings(other, noisy).empty());
}

}  // namespace
}  // namespace quillary::psk::test

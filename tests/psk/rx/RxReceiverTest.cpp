// The receiver's squelch, signal quality, vector points and IMD, and how it
// starts on and holds a station.
#include <gtest/gtest.h>

#include <algorithm>
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

// A station exactly in tune after five seconds of band noise, near the
// lowest level each mode copies: its first 40 characters (the first line
// of a picture QSO is often its command) come through as well with AFC as
// without. The AFC once took the station's first, unsettled sightings at
// their word and moved off it, losing the first line.
TEST(RxReceiver, TheFirstWordsAfterBandNoiseComeThroughWithAndWithoutAfc) {
  const std::string text = "ALL de N0CALL N0CALL :N0CALL/PHOTO and the rest of the line\r\n";
  const std::string first = text.substr(0, 40);
  for (auto [code, snr] : {std::pair{0, -10.0}, {1, -10.0}, {8, -7.0}, {9, -7.0}, {16, -4.0}, {17, -4.0}}) {
    const auto sent = transmit(code, text, 1500, 5.0);
    for (double afc : {0.0, 500.0}) {
      std::size_t edits = 0;
      for (unsigned seed = 1000; seed < 1010; ++seed) {
        auto samples = sent;
        addNoise(samples, snr, seed);
        auto receiver = receiverFor(code, afc, 0);
        const std::size_t here = signals::editDistance(first, decodeAll(receiver, samples));
        EXPECT_LE(here, 4u) << code << " AFC " << afc << " seed " << seed;
        edits += here;
      }
      EXPECT_LE(edits, 10u) << code << " AFC " << afc;
    }
  }
}

// A weak station in tune, near the lowest level each QPSK mode copies: the
// AFC holds it, second by second through the whole text, instead of
// walking off on the noise in its phase errors (once by nearly 2 Hz at
// QPSK125, which doubled the characters lost).
TEST(RxReceiver, TheAfcHoldsAWeakStationInTune) {
  for (auto [code, snr] : {std::pair{1, -15.0}, {9, -12.5}, {17, -10.0}}) {
    const auto sent = transmit(code, signals::kEnglishText, 1500, 1.0);
    for (unsigned seed : {21u, 22u, 23u}) {
      auto samples = sent;
      addNoise(samples, snr, seed);
      auto receiver = receiverFor(code, 500, 0);
      std::vector<uint8_t> text;
      double farthest = 0;
      for (std::size_t at = 0; at < samples.size(); at += 8000) {
        receiver.process(std::min<std::size_t>(8000, samples.size() - at), samples.data() + at, text);
        farthest = std::max(farthest, std::abs(receiver.frequency() - 1500));
      }
      EXPECT_LT(farthest, 0.5) << "mode " << code << " seed " << seed;
    }
  }
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

}  // namespace
}  // namespace quillary::psk::test

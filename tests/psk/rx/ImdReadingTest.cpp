// IMD read from what other stations send before and between their words:
// the preamble of every transmission (a QPSK postamble too) and the pauses
// of an operator typing, not only long idle. Stations of known IMD (an
// amplifier's cubic bend) read within 2 dB, in white noise and through a
// fading path; the peer recordings' preambles read as the clean signals
// they are.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../PskTestSignals.h"
#include "psk/PskMode.h"
#include "psk/audio/SimulatedBand.h"

namespace quillary::psk::test {
namespace {

// Every reading while `samples` (and a second of silence) go through.
std::vector<std::pair<int, double>> imdReadings(int code, const std::vector<float>& samples, double hz = 1500) {
  auto receiver = receiverFor(code, 500, 0);
  receiver.setFrequency(hz);
  std::vector<float> all = samples;
  all.resize(all.size() + 8000, 0.0f);
  std::vector<uint8_t> decoded;
  std::vector<std::pair<int, double>> readings;
  for (std::size_t at = 0; at < all.size(); at += 256) {
    receiver.process(std::min<std::size_t>(256, all.size() - at), all.data() + at, decoded);
    if (const auto reading = receiver.takeImdReading()) readings.emplace_back(*reading, at / 8000.0);
  }
  return readings;
}

// An amplifier that bends x into x - k x^3: on the idle, two tones of
// amplitude a (the transmitter's peak is 0.8), each third-order product is
// 3/4 k a^3 against a fundamental of a - 9/4 k a^3. k is chosen for `imdDb`.
void bend(std::vector<float>& samples, double imdDb) {
  const double ratio = std::pow(10.0, imdDb / 20), a = 0.4;
  const double k = 4 * ratio / (3 + 9 * ratio) / (a * a);
  for (float& x : samples) x = static_cast<float>(x - k * x * x * x);
}

// An operator typing four words, each two seconds after the one before
// (the transmitter idles in between: the first word goes out right after
// the preamble, the others leave pauses of about a second and a half).
std::vector<float> typedWords(int code) {
  Transmitter tx;
  EXPECT_TRUE(tx.setFrequency(1500) && tx.start(code));
  std::vector<float> typed, block(256);
  for (const char* word : {"CQ ", "CQ ", "de ", "N0CALL "}) {
    tx.enqueue(word);
    for (int i = 0; i < 2 * 8000 / 256; ++i) {
      tx.process(block.size(), block.data());
      typed.insert(typed.end(), block.begin(), block.end());
    }
  }
  return typed;
}

TEST(RxImd, ReadFromThePreambleOfEveryTransmissionWithin2dB) {
  const std::string text = "CQ CQ de N0CALL N0CALL pse k\r\n";
  for (double imd : {-20.0, -25.0, -30.0}) {
    for (int code : {0, 1, 8, 9, 16, 17}) {
      auto station = transmit(code, text, 1500, 1.0);
      bend(station, imd);
      for (unsigned seed : {1u, 2u}) {
        auto samples = station;
        addNoise(samples, 20.0, seed);
        const auto readings = imdReadings(code, samples);
        // The preamble is the first second after the lead of silence.
        ASSERT_FALSE(readings.empty()) << imd << " dB, mode " << code;
        EXPECT_LT(readings.front().second, 2.5) << "not from the preamble: " << imd << " dB, mode " << code;
        for (const auto& [reading, at] : readings) EXPECT_NEAR(reading, imd, 2.0) << "mode " << code << " at " << at << " s";
      }
    }
    // Through a fading path, whatever is read is the station's figure
    // (idle in a fade gives none).
    // (At 125 baud the poor path's two delays lie half a symbol apart: the
    // tones, and more the products, swing against each other.)
    for (auto [code, condition] : {std::pair{0, "moderate"}, {8, "moderate"}, {16, "poor"}}) {
      auto station = typedWords(code);
      bend(station, imd);
      std::size_t count = 0;
      for (unsigned seed : {1u, 2u}) {
        auto samples = station;
        signals::fadeAndAddNoise(samples, *hfConditionNamed(condition), 20.0, seed);
        for (const auto& [reading, at] : imdReadings(code, samples)) {
          EXPECT_NEAR(reading, imd, 2.0) << "fading, mode " << code << " at " << at << " s";
          ++count;
        }
      }
      // On the poor path at 125 baud the meter finds the path too uneven
      // to read at all, rather than read it wrong.
      if (code != 16) {
        EXPECT_GE(count, 2u) << imd << " dB, mode " << code;
      }
    }
  }
}

// A clean station's products are lost in the noise: the reading is the
// highest they could be, which must say "clean" from the preamble on, from
// +10 dB in 3 kHz up; and a station with products near the noise is never
// read better than it is.
TEST(RxImd, ACleanStationReadsCleanAndNoStationReadsBetterThanItIs) {
  const std::string text = "CQ CQ de N0CALL pse k\r\n";
  struct Row {
    double imd, snr, readsAtMost;
  };
  for (const Row& row : {Row{-99, 10, -25}, Row{-99, 17, -32}, Row{-20, 3, 99}, Row{-30, 10, 99}}) {
    for (int code : {0, 1, 8, 9, 16, 17}) {
      auto station = transmit(code, text, 1500, 1.0);
      if (row.imd > -99) bend(station, row.imd);
      for (unsigned seed : {3u, 4u}) {
        auto samples = station;
        addNoise(samples, row.snr, seed);
        const auto readings = imdReadings(code, samples);
        if (row.readsAtMost < 0) {
          ASSERT_FALSE(readings.empty()) << row.snr << " dB, mode " << code;
          EXPECT_LT(readings.front().second, 2.5) << "not from the preamble: " << row.snr << " dB, mode " << code;
        }
        for (const auto& [reading, at] : readings) {
          EXPECT_LE(reading, row.readsAtMost) << row.snr << " dB, mode " << code << " at " << at << " s";
          EXPECT_GE(reading, std::max(row.imd, -99.0) - 2) << row.snr << " dB, mode " << code << " at " << at << " s";
        }
      }
    }
  }
  // The Simulator's demo station as the receiver hears it: BPSK31, some
  // 17 dB over a quiet band, keyed a second in and idling three.
  SimulatedBand band;
  std::vector<float> demo(4 * 8000);
  band.render(demo.size(), demo.data());
  const auto readings = imdReadings(0, demo, SimulatedBand::kDemoFrequency);
  ASSERT_FALSE(readings.empty());
  EXPECT_LE(readings.front().first, -30);
}

TEST(RxImd, ThePausesBetweenTypedWordsAndThePeerRecordingsPreamblesGiveReadings) {
  auto typed = typedWords(0);
  addNoise(typed, 20.0, 5);
  EXPECT_GE(imdReadings(0, typed).size(), 3u) << "the preamble and the pauses after the second and third words";

  for (auto [name, code] : {std::pair{"BPSK31", 0}, {"QPSK31", 1}, {"BPSK63", 8}}) {
    const auto wav = readWav(std::string(QUILLARY_TEST_DATA) + "/peer/" + name + "_1500_photo.wav");
    const auto readings = imdReadings(code, wav.samples);
    ASSERT_FALSE(readings.empty()) << name;
    EXPECT_LT(readings.front().second, 2.0) << name << ": from the preamble";
    for (const auto& [reading, at] : readings) EXPECT_LE(reading, -30) << name << " at " << at << " s";
  }
}

}  // namespace
}  // namespace quillary::psk::test

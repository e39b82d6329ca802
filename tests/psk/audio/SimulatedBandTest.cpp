#include "psk/audio/SimulatedBand.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "psk/rx/Receiver.h"

namespace quillary::psk {
namespace {

double mean(const std::vector<float>& v, std::size_t from, std::size_t to) {
  return std::accumulate(v.begin() + static_cast<std::ptrdiff_t>(from), v.begin() + static_cast<std::ptrdiff_t>(to),
                         0.0) / static_cast<double>(to - from);
}

double rms(const std::vector<float>& v, std::size_t from, std::size_t to) {
  double sum = 0;
  for (std::size_t i = from; i < to; ++i) sum += v[i] * v[i];
  return std::sqrt(sum / static_cast<double>(to - from));
}

TEST(SimulatedBand, DemoStationCallsCqWithAPictureCommandEveryHalfMinute) {
  SimulatedBand band;
  Receiver receiver;
  receiver.setMode(0);
  receiver.setFrequency(SimulatedBand::kDemoFrequency);
  std::vector<uint8_t> decoded;
  std::vector<float> block(333);  // blocks need not line up with the call
  std::vector<float> first;
  std::string perPeriod[2];
  for (std::size_t t = 0; t < 2 * SimulatedBand::kDemoPeriod; t += block.size()) {
    band.render(block.size(), block.data());
    if (first.size() < 16000) first.insert(first.end(), block.begin(), block.end());
    decoded.clear();
    receiver.process(block.size(), block.data(), decoded);
    perPeriod[t / SimulatedBand::kDemoPeriod].append(decoded.begin(), decoded.end());
  }
  // Quiet band for the first second, then the call.
  EXPECT_LT(rms(first, 0, 7900), 0.03);
  EXPECT_GT(rms(first, 8100, 16000), 0.1);
  for (const std::string& heard : perPeriod) {
    EXPECT_NE(heard.find("CQ CQ CQ de QUILLARY"), std::string::npos) << heard;
    EXPECT_NE(heard.find(":QUILLARY/PHOTO\r"), std::string::npos) << heard;
  }
}

TEST(SimulatedBand, RecordingPlaysFromOneSecondOnAndLoops) {
  SimulatedBand band(std::vector<float>(1000, 0.5f));
  std::vector<float> audio(8000 + 3000);
  band.render(5000, audio.data());
  band.render(6000, audio.data() + 5000);
  EXPECT_NEAR(mean(audio, 0, 8000), 0.0, 0.005);      // only the band's noise
  EXPECT_NEAR(mean(audio, 8000, 11000), 0.5, 0.005);  // the recording, three times over
  EXPECT_GT(rms(audio, 0, 8000), 0.01);               // the noise is there
}

}  // namespace
}  // namespace quillary::psk

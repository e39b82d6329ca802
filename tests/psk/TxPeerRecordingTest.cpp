// Our modulator against independent recordings of other stations (8000 Hz,
// carrier 1500 Hz; the sidecar .txt holds the exact bytes sent). Both are
// demodulated the same way and their phase-change sequences compared from the
// first data symbol on: this is what decides whether QPSK is understood on
// the air, since a wrong sign still leaves BPSK working.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TxSignalProbe.h"
#include "psk/PskMode.h"
#include "psk/Transmitter.h"
#include "psk/Varicode.h"

namespace quillary::psk {
namespace {

std::string readBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::size_t dataSymbols(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += varicodeOf(static_cast<uint8_t>(c)).size() + 2;
  return count;
}

struct Recording {
  std::string name;
  int code;
};

void PrintTo(const Recording& recording, std::ostream* os) { *os << recording.name; }

class PeerRecording : public ::testing::TestWithParam<Recording> {};

TEST_P(PeerRecording, OurPhaseChangesMatchTheRecordingFromTheFirstDataSymbol) {
  const Recording& recording = GetParam();
  const std::string base = std::string(QUILLARY_TEST_DATA) + "/peer/" + recording.name;
  const std::string text = readBytes(base + ".txt");
  ASSERT_FALSE(text.empty());
  int rate = 0;
  const std::vector<float> peer = test::readWavMono16(base + ".wav", &rate);
  ASSERT_EQ(rate, 8000);
  const PskMode mode = *modeFromCode(recording.code);

  Transmitter tx;
  ASSERT_TRUE(tx.setFrequency(1500));
  ASSERT_TRUE(tx.start(mode.code));
  tx.enqueue(text);
  tx.stop();
  const std::vector<float> ours = test::runUntilOff(tx).audio;

  const auto peerChanges = test::phaseChanges(peer, 1500, mode.samplesPerSymbol);
  const auto ourChanges = test::phaseChanges(ours, 1500, mode.samplesPerSymbol);
  // The preamble is all reversals: the first other change is the first data
  // bit (every code starts with a 1), however long either preamble was.
  const int peerStart = test::firstNonReversal(peerChanges);
  const int ourStart = test::firstNonReversal(ourChanges);
  ASSERT_GE(peerStart, 8) << "no preamble of reversals in the recording";
  ASSERT_GE(ourStart, 8);
  // A 1 bit from the cleared register is v = 3: +90 degrees for QPSK, no
  // change for BPSK. This pins the demodulator's own sign to the facts.
  EXPECT_EQ(peerChanges[peerStart], mode.qpsk ? 1 : 0);

  // The data, and the first symbols of the postamble (for QPSK the bits
  // that flush the encoder register).
  const std::size_t length = dataSymbols(text) + 8;
  ASSERT_LE(peerStart + length, peerChanges.size());
  ASSERT_LE(ourStart + length, ourChanges.size());
  const std::vector<int> peerData(peerChanges.begin() + peerStart, peerChanges.begin() + peerStart + length);
  const std::vector<int> ourData(ourChanges.begin() + ourStart, ourChanges.begin() + ourStart + length);
  std::size_t mismatches = 0;
  for (std::size_t i = 0; i < length; ++i) mismatches += peerData[i] != ourData[i];
  EXPECT_EQ(mismatches, 0u) << "of " << length << " symbols";
  if (!mode.qpsk) {
    // BPSK needs no encoder: the recording reads back as the text itself.
    EXPECT_EQ(test::readBpsk(peerChanges), text);
  }
}

INSTANTIATE_TEST_SUITE_P(Recordings, PeerRecording,
                         ::testing::Values(Recording{"QPSK31_1500_photo", 1}, Recording{"BPSK31_1500_photo", 0},
                                           Recording{"BPSK63_1500_photo", 8}),
                         [](const auto& info) { return info.param.name.substr(0, 6); });

}  // namespace
}  // namespace quillary::psk

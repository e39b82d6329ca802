// Independent recordings of other stations (8000 Hz, carrier 1500 Hz; the
// sidecar .txt holds the exact bytes sent). Our receiver decodes them
// exactly, and our modulator's phase changes match theirs from the first data
// symbol on: this decides whether QPSK is understood on the air, since a
// wrong sign still leaves BPSK working.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PskTestSignals.h"
#include "psk/PskMode.h"
#include "psk/Varicode.h"

namespace quillary::psk::test {
namespace {

struct Recording {
  const char* name;
  int code;
};
constexpr Recording kRecordings[] = {{"QPSK31", 1}, {"BPSK31", 0}, {"BPSK63", 8}};

std::string peerPath(const std::string& name, const char* extension) {
  return std::string(QUILLARY_TEST_DATA) + "/peer/" + name + "_1500_photo." + extension;
}

TEST(RxPeerRecording, DecodesEveryRecordingExactlyWithAndWithoutAfcAndFromAnywhereTheAfcReaches) {
  for (const auto& recording : kRecordings) {
    const auto wav = readWav(peerPath(recording.name, "wav"));
    ASSERT_EQ(wav.sampleRate, 8000);
    const std::string expected = readFile(peerPath(recording.name, "txt"));
    const double baud = modeFromCode(recording.code)->baud();
    // In tune without AFC; with it, from in tune to its capture range of
    // 4.5 baud either side. Not a character of the search may print, even
    // with the squelch open.
    for (auto [offset, afc] : {std::pair{0.0, 0.0}, {0.0, 500.0}, {-4.5, 500.0}, {-2.0, 500.0}, {-0.4, 500.0},
                               {0.7, 500.0}, {2.5, 500.0}, {4.5, 500.0}}) {
      Receiver receiver;
      ASSERT_TRUE(receiver.setMode(recording.code));
      ASSERT_TRUE(receiver.setFrequency(1500 + offset * baud));
      receiver.setAfcLimit(afc);
      ASSERT_TRUE(receiver.setSquelch(0));
      EXPECT_EQ(decodeAll(receiver, wav.samples), expected) << recording.name << " AFC " << afc << " from " << offset;
      EXPECT_NEAR(receiver.frequency(), 1500, 0.5) << recording.name << " from " << offset;
    }
  }
}

TEST(TxPeerRecording, OurPhaseChangesMatchTheRecordingFromTheFirstDataSymbol) {
  for (const auto& recording : kRecordings) {
    SCOPED_TRACE(recording.name);
    const std::string text = readFile(peerPath(recording.name, "txt"));
    ASSERT_FALSE(text.empty());
    const PskMode mode = *modeFromCode(recording.code);
    const auto peerChanges = phaseChanges(readWav(peerPath(recording.name, "wav")).samples, 1500, mode.samplesPerSymbol);
    const auto ourChanges = phaseChanges(transmit(mode.code, text, 1500, 0), 1500, mode.samplesPerSymbol);
    // The preamble is all reversals: the first other change is the first data
    // bit (every code starts with a 1), however long either preamble was.
    const int peerStart = firstNonReversal(peerChanges), ourStart = firstNonReversal(ourChanges);
    ASSERT_GE(peerStart, 8) << "no preamble of reversals in the recording";
    ASSERT_GE(ourStart, 8);
    // A 1 bit from the cleared register is v = 3: +90 degrees for QPSK, no
    // change for BPSK. This pins the demodulator's own sign to the facts.
    EXPECT_EQ(peerChanges[peerStart], mode.qpsk ? 1 : 0);
    // The data and the first symbols of the postamble (for QPSK the bits
    // that flush the encoder register).
    std::size_t length = 8;
    for (char c : text) length += varicodeOf(static_cast<uint8_t>(c)).size() + 2;
    ASSERT_LE(peerStart + length, peerChanges.size());
    ASSERT_LE(ourStart + length, ourChanges.size());
    std::size_t mismatches = 0;
    for (std::size_t i = 0; i < length; ++i) mismatches += peerChanges[peerStart + i] != ourChanges[ourStart + i];
    EXPECT_EQ(mismatches, 0u) << "of " << length << " symbols";
    if (!mode.qpsk) {
      EXPECT_EQ(readBpsk(peerChanges), text);  // BPSK needs no encoder
    }
  }
}

}  // namespace
}  // namespace quillary::psk::test

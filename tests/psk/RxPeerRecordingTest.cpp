// The reference recordings of other stations decode exactly to their text.
#include <gtest/gtest.h>

#include <string>

#include "RxTestSignals.h"
#include "psk/Receiver.h"

namespace quillary::psk::test {
namespace {

struct Recording {
  const char* name;
  int modeCode;
};

constexpr Recording kRecordings[] = {{"BPSK31", 0}, {"BPSK63", 8}, {"QPSK31", 1}};

std::string peerPath(const std::string& name, const char* extension) {
  return std::string(QUILLARY_TEST_DATA) + "/peer/" + name + "_1500_photo." + extension;
}

TEST(RxPeerRecording, DecodesEveryRecordingExactlyWithAndWithoutAfc) {
  for (const auto& recording : kRecordings) {
    const auto wav = readWav16(peerPath(recording.name, "wav"));
    ASSERT_EQ(wav.sampleRate, 8000);
    const std::string expected = readFile(peerPath(recording.name, "txt"));
    for (double afc : {0.0, 500.0}) {
      Receiver receiver;
      ASSERT_TRUE(receiver.setMode(recording.modeCode));
      ASSERT_TRUE(receiver.setFrequency(1500));
      receiver.setAfcLimit(afc);
      ASSERT_TRUE(receiver.setSquelch(0));
      EXPECT_EQ(decodeAll(receiver, wav.samples), expected)
          << recording.name << (afc > 0 ? " with AFC" : " without AFC");
    }
  }
}

}  // namespace
}  // namespace quillary::psk::test

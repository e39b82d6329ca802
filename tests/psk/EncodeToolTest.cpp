// psktool encode end to end: the WAV it writes decodes back to the bytes given.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TxSignalProbe.h"
#include "psk/Resampler.h"

namespace quillary::psk {
namespace {

namespace fs = std::filesystem;

const std::string kTool = std::string(QUILLARY_BINARY_DIR) + "/psktool";

int runTool(const std::string& arguments) {
  const std::string command = "'" + kTool + "' " + arguments + " 2>/dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class EncodeTool : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(kTool)) << "build the psktool target first";
    folder_ = fs::path(::testing::TempDir()) / ("encode-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string path(const std::string& name) const { return (folder_ / name).string(); }

  fs::path folder_;
};

TEST_F(EncodeTool, TextFromStandardInputComesBackByteForByte) {
  const std::string text = "CQ de N0CALL\r\n\xE9\x8B pse k";
  std::ofstream(path("text.txt"), std::ios::binary) << text;
  ASSERT_EQ(runTool("encode --mode BPSK31 --freq 1500 -o '" + path("out.wav") + "' < '" + path("text.txt") + "'"), 0);
  int rate = 0;
  const auto audio = test::readWavMono16(path("out.wav"), &rate);
  EXPECT_EQ(rate, 8000);
  EXPECT_EQ(test::readBpsk(test::phaseChanges(audio, 1500, 256)), text);
  // Half a second of silence on either side of the transmission.
  std::size_t first = 0, last = audio.size() - 1;
  while (first < audio.size() && audio[first] == 0.0f) ++first;
  while (last > 0 && audio[last] == 0.0f) --last;
  EXPECT_GE(first, 3990u);
  EXPECT_LE(first, 4010u);
  EXPECT_GE(audio.size() - 1 - last, 3990u);
  EXPECT_FALSE(fs::exists(path("out.wav") + ".tmp-" + std::to_string(::getpid())));
}

TEST_F(EncodeTool, WritesAtTheRateAskedWithTheSameSignal) {
  ASSERT_EQ(runTool("encode --mode BPSK63 --freq 1200 --rate 48000 --cwid 'de N0CALL' -o '" + path("48k.wav") + "' 'hello'"), 0);
  int rate = 0;
  const auto audio = test::readWavMono16(path("48k.wav"), &rate);
  EXPECT_EQ(rate, 48000);
  Resampler down(48000, 8000);
  std::vector<float> at8000;
  down.process(audio.size(), audio.data(), at8000);
  down.flush(at8000);
  // The Morse after the text reads as steady carrier or silence, never as
  // characters: only the text comes back.
  const auto changes = test::phaseChanges(at8000, 1200, 128);
  EXPECT_EQ(test::readBpsk(changes), "hello");
  // The identification is keyed after the postamble: about 1.6 s of Morse.
  const double seconds = audio.size() / 48000.0;
  const double withoutId = 1.0 + 1.024 * 2 + 0.016 * (6 + 4 + 4 + 7 + 7 + 5);
  EXPECT_GT(seconds, withoutId + 1.5);
}

TEST_F(EncodeTool, RefusesBadInputWithoutLeavingAFile) {
  EXPECT_NE(runTool("encode --mode PSK99 --freq 1500 -o '" + path("a.wav") + "' hi"), 0);
  EXPECT_NE(runTool("encode --mode BPSK31 --freq 4200 -o '" + path("a.wav") + "' hi"), 0);
  EXPECT_NE(runTool("encode --mode BPSK31 --freq abc -o '" + path("a.wav") + "' hi"), 0);
  EXPECT_NE(runTool("encode --mode BPSK31 --freq 1500 --rate 0 -o '" + path("a.wav") + "' hi"), 0);
  EXPECT_NE(runTool("encode --mode BPSK31 --freq 1500 hi"), 0);
  EXPECT_FALSE(fs::exists(path("a.wav")));
  EXPECT_NE(runTool("encode --mode BPSK31 --freq 1500 -o '" + path("no/such/folder/a.wav") + "' hi"), 0);
  EXPECT_TRUE(fs::is_empty(folder_));
}

}  // namespace
}  // namespace quillary::psk

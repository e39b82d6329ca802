// psktool decode as a process: recordings to exact bytes on standard output,
// any sample rate and channel count, clear refusals of bad input.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "RxTestSignals.h"
#include "psk/Resampler.h"

namespace quillary::psk::test {
namespace {

namespace fs = std::filesystem;

const std::string kTool = std::string(QUILLARY_BINARY_DIR) + "/psktool";
const std::string kPeer = std::string(QUILLARY_TEST_DATA) + "/peer/";

struct ToolRun {
  int exitCode = -1;
  std::string output;  // standard output, byte for byte
};

ToolRun runDecode(const std::string& arguments) {
  const std::string command = "'" + kTool + "' decode " + arguments + " 2>/dev/null";
  ToolRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, got);
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

void putLe(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A 16-bit PCM WAV whose first channel carries `samples`; the others a tone
// that must not reach the decoder.
void writeWav(const std::string& path, const std::vector<float>& samples, int rate, int channels) {
  std::string data;
  for (std::size_t n = 0; n < samples.size(); ++n)
    for (int c = 0; c < channels; ++c) {
      const float value = c == 0 ? samples[n] : 0.5f * static_cast<float>(std::sin(0.3 * n));
      putLe(data, static_cast<uint16_t>(static_cast<int16_t>(std::lround(value * 32000))), 2);
    }
  std::string file = "RIFF";
  putLe(file, static_cast<uint32_t>(36 + data.size()), 4);
  file += "WAVEfmt ";
  putLe(file, 16, 4);
  putLe(file, 1, 2);
  putLe(file, channels, 2);
  putLe(file, rate, 4);
  putLe(file, rate * channels * 2, 4);
  putLe(file, channels * 2, 2);
  putLe(file, 16, 2);
  file += "data";
  putLe(file, static_cast<uint32_t>(data.size()), 4);
  std::ofstream(path, std::ios::binary) << file << data;
}

class DecodeTool : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(kTool)) << "build the psktool target first";
    folder_ = fs::path(::testing::TempDir()) / ("decode-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string path(const std::string& name) const { return (folder_ / name).string(); }

  fs::path folder_;
};

TEST_F(DecodeTool, PeerRecordingsComeOutExactly) {
  for (const std::string mode : {"BPSK31", "BPSK63", "QPSK31"}) {
    const std::string wav = "'" + kPeer + mode + "_1500_photo.wav'";
    const std::string expected = readFile(kPeer + mode + "_1500_photo.txt");
    const ToolRun plain = runDecode("--mode " + mode + " " + wav);
    EXPECT_EQ(plain.exitCode, 0) << mode;
    EXPECT_EQ(plain.output, expected) << mode;
    const ToolRun tracked = runDecode("--mode " + mode + " --freq 1500 --afc --squelch 20 " + wav);
    EXPECT_EQ(tracked.exitCode, 0) << mode;
    EXPECT_EQ(tracked.output, expected) << mode;
  }
}

TEST_F(DecodeTool, ReadsOtherRatesAndTheFirstOfSeveralChannels) {
  std::string text;
  for (int b = 0; b < 256; b += 3) text += static_cast<char>(b);  // binary-safe output
  const auto sent = transmit(9, text, 1200);
  std::vector<float> at44k;
  Resampler resampler(8000, 44100);
  resampler.process(sent.size(), sent.data(), at44k);
  resampler.flush(at44k);
  writeWav(path("stereo.wav"), at44k, 44100, 2);
  const ToolRun run = runDecode("--mode QPSK63 --freq 1200 '" + path("stereo.wav") + "'");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, text);
}

TEST_F(DecodeTool, RefusesBadArgumentsAndFilesWithAnErrorCode) {
  const std::string wav = "'" + kPeer + "BPSK31_1500_photo.wav'";
  EXPECT_EQ(runDecode("--mode BPSK32 " + wav).exitCode, 2);
  EXPECT_EQ(runDecode(wav).exitCode, 2) << "no mode";
  EXPECT_EQ(runDecode("--mode BPSK31").exitCode, 2) << "no file";
  EXPECT_EQ(runDecode("--mode BPSK31 --freq 50 " + wav).exitCode, 2);
  EXPECT_EQ(runDecode("--mode BPSK31 --squelch 100 " + wav).exitCode, 2);
  EXPECT_EQ(runDecode("--mode BPSK31 --squelch 2.5 " + wav).exitCode, 2);
  EXPECT_EQ(runDecode("--mode BPSK31 --loud " + wav).exitCode, 2);
  EXPECT_EQ(runDecode("--mode BPSK31 '" + path("missing.wav") + "'").exitCode, 1);
  std::ofstream(path("text.wav")) << "this is no audio file";
  const ToolRun garbage = runDecode("--mode BPSK31 '" + path("text.wav") + "'");
  EXPECT_EQ(garbage.exitCode, 1);
  EXPECT_EQ(garbage.output, "");
}

}  // namespace
}  // namespace quillary::psk::test

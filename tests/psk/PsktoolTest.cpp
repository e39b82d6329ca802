// psktool as a process: encode writes a WAV that decodes back to the bytes
// given; scan reads every station of a band; transmit keys a rig (behind a
// real rigctld) while it sends; all refuse bad input with an error code and
// leave no file behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "PskTestSignals.h"
#include "psk/dsp/Resampler.h"
#include "support/Rigctld.h"
#include "support/TempFolder.h"

namespace quillary::psk::test {
namespace {

namespace fs = std::filesystem;

const std::string kTool = std::string(QUILLARY_BINARY_DIR) + "/psktool";
const std::string kPeer = std::string(QUILLARY_TEST_DATA) + "/peer/";

struct ToolRun {
  int exitCode = -1;
  std::string output;  // standard output, byte for byte
};

ToolRun runTool(const std::string& arguments) {
  ToolRun run;
  FILE* pipe = ::popen(("'" + kTool + "' " + arguments + " 2>/dev/null").c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, got);
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class Psktool : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(fs::exists(kTool)) << "build the psktool target first"; }
  std::string path(const std::string& name) const { return (folder.path() / name).string(); }
  quillary::testing::TempFolder folder;
};

TEST_F(Psktool, EncodeWritesWhatDecodesBackWithSilenceAroundAndAnIdAfter) {
  const std::string text = "CQ de N0CALL\r\n\xE9\x8B pse k";
  quillary::testing::writeBytes(path("text.txt"), text);
  ASSERT_EQ(runTool("encode --mode BPSK31 --freq 1500 -o '" + path("out.wav") + "' < '" + path("text.txt") + "'")
                .exitCode, 0);
  const auto wav = readWav(path("out.wav"));
  EXPECT_EQ(wav.sampleRate, 8000);
  EXPECT_EQ(readBpsk(phaseChanges(wav.samples, 1500, 256)), text);
  const auto audible = [](float s) { return s != 0.0f; };
  const auto first = std::find_if(wav.samples.begin(), wav.samples.end(), audible) - wav.samples.begin();
  const auto after = std::find_if(wav.samples.rbegin(), wav.samples.rend(), audible) - wav.samples.rbegin();
  EXPECT_NEAR(first, 4000, 10);
  EXPECT_GE(after, 3990);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator{}), 2) << "no temporary left";

  ASSERT_EQ(runTool("encode --mode BPSK63 --freq 1200 --rate 48000 --cwid 'de N0CALL' -o '" + path("48k.wav") +
                    "' 'hello'").exitCode, 0);
  const auto at48k = readWav(path("48k.wav"));
  EXPECT_EQ(at48k.sampleRate, 48000);
  Resampler down(48000, 8000);
  std::vector<float> at8000;
  down.process(at48k.samples.size(), at48k.samples.data(), at8000);
  down.flush(at8000);
  EXPECT_EQ(readBpsk(phaseChanges(at8000, 1200, 128)), "hello");
  // The identification adds about 1.6 s after the postamble.
  const double withoutId = 1.0 + 1.024 * 2 + 0.016 * (6 + 4 + 4 + 7 + 7 + 5);
  EXPECT_GT(at48k.samples.size() / 48000.0, withoutId + 1.5);
}

// Scan output: a line per station, "  1234 Hz  text".
std::map<int, std::string> stationLines(const std::string& output) {
  std::map<int, std::string> lines;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) {
    const auto hz = line.find(" Hz  ");
    if (hz != std::string::npos) lines[std::stoi(line.substr(0, hz))] = line.substr(hz + 5);
  }
  return lines;
}

TEST_F(Psktool, ScanReadsEveryStationOfABandEachInItsOwnMode) {
  struct Station {
    const char* mode;
    int code;
    double hz, snrDb, startSeconds;
    const char* text;
  };
  // Ten stations of three modes, -9 to +3 dB in 3 kHz, keyed one after another.
  const Station stations[] = {{"BPSK31", 0, 420, -6, 1, "CQ de AA1AA"},       {"QPSK31", 1, 700, -3, 2, "QSL tnx fer call"},
                              {"BPSK63", 8, 1000, -2, 3, "de BB2BB pse k"},    {"BPSK31", 0, 1230, -9, 4, "73 es gud DX"},
                              {"BPSK31", 0, 1330, 0, 1, "RST 599 in Ohio"},    {"QPSK31", 1, 1620, -5, 2, "hello world"},
                              {"BPSK63", 8, 1950, -4, 3, "name here is Bob"},  {"BPSK31", 0, 2300, -3, 4, "QRZ? de CC3CC"},
                              {"QPSK31", 1, 2640, 3, 1, "picture follows"},    {"BPSK63", 8, 3050, -5, 2, "wx cold and wet"}};
  constexpr double kNoiseRms = 0.02;
  std::vector<float> band(30 * 8000);
  std::mt19937 random(9);
  std::normal_distribution<float> noise(0.0f, static_cast<float>(kNoiseRms));
  for (float& sample : band) sample = noise(random);
  for (const Station& station : stations) {
    const auto signal = transmit(station.code, station.text, station.hz, station.startSeconds);
    double power = 0;
    std::size_t active = 0;
    for (float s : signal)
      if (s != 0.0f) power += double(s) * s, ++active;
    // White noise of variance v puts v * 3000 / 4000 into 3 kHz.
    const double wanted = kNoiseRms * kNoiseRms * 0.75 * std::pow(10.0, station.snrDb / 10);
    const auto gain = static_cast<float>(std::sqrt(wanted / (power / active)));
    for (std::size_t n = 0; n < signal.size() && n < band.size(); ++n) band[n] += gain * signal[n];
  }
  writeWav(path("band.wav"), band, 8000, 1);
  for (const std::string mode : {"BPSK31", "QPSK31", "BPSK63"}) {
    const ToolRun run = runTool("scan --mode " + mode + " '" + path("band.wav") + "'");
    ASSERT_EQ(run.exitCode, 0) << mode;
    const auto lines = stationLines(run.output);
    for (const Station& station : stations) {
      if (station.mode != mode) continue;
      const auto found = std::find_if(lines.begin(), lines.end(),
                                      [&](const auto& line) { return std::abs(line.first - station.hz) <= 2; });
      ASSERT_NE(found, lines.end()) << station.text << " at " << station.hz << " Hz:\n" << run.output;
      EXPECT_EQ(found->second, station.text) << station.hz << " Hz";
    }
  }
}

// A header claiming 12.288 MHz (found by fuzzing) once made decode build a
// resampler of millions of taps and hang.
TEST_F(Psktool, HelpSucceedsBadArgumentsAndFilesAreRefusedWithAnErrorCodeAndNoOutput) {
  EXPECT_EQ(runTool("-h").exitCode, 0);
  EXPECT_NE(runTool("-h").output.find("psktool encode --mode"), std::string::npos);
  EXPECT_EQ(runTool("decode --help").output.rfind("usage: psktool decode --mode", 0), 0u);
  const std::string peer = " '" + kPeer + "BPSK31_1500_photo.wav'";
  quillary::testing::writeBytes(path("text.wav"), "this is no audio file");
  writeWav(path("fast.wav"), std::vector<float>(64, 0.25f), 12288000, 1);
  writeWav(path("faster.wav"), std::vector<float>(64, 0.25f), 384001, 1);
  const std::pair<std::string, int> decodes[] = {
      {"--mode BPSK32" + peer, 2}, {peer, 2}, {"--mode BPSK31 --squelch 2.5" + peer, 2},
      {"--mode BPSK31 '" + path("missing.wav") + "'", 1}, {"--mode BPSK31 '" + path("text.wav") + "'", 1},
      {"--mode BPSK31 '" + path("fast.wav") + "'", 1}, {"--mode BPSK31 '" + path("faster.wav") + "'", 1}};
  for (const auto& [arguments, exitCode] : decodes)
    for (const std::string command : {"decode ", "scan "}) {
      const ToolRun run = runTool(command + arguments);
      EXPECT_EQ(run.exitCode, exitCode) << command << arguments;
      EXPECT_EQ(run.output, "") << command << arguments;
    }
  EXPECT_EQ(runTool("").exitCode, 2);
  EXPECT_EQ(runTool("scan --mode BPSK31 --low 3000 --high 2000" + peer).exitCode, 2);
  const std::string out = " -o '" + path("a.wav") + "' hi";
  for (const std::string& arguments : {"--mode PSK99 --freq 1500" + out, "--mode BPSK31 --freq 4200" + out,
                                       "--mode BPSK31 --freq 1500 -o '" + path("no/such/folder/a.wav") + "' hi"})
    EXPECT_NE(runTool("encode " + arguments).exitCode, 0) << arguments;
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator{}), 3) << "no a.wav";
  writeWav(path("fast.wav"), std::vector<float>(64, 0.25f), 384000, 1);
  EXPECT_EQ(runTool("decode --mode BPSK31 '" + path("fast.wav") + "'").exitCode, 0) << "the highest rate a card has";
}

// psktool running beside the test, its standard error in a file; killed
// if the test ends before it.
class RunningTool {
 public:
  RunningTool(std::vector<std::string> words, const std::string& errors) {
    words.insert(words.begin(), kTool);
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0 && std::freopen(errors.c_str(), "w", stderr)) ::execv(kTool.c_str(), argv.data());
    if (pid_ == 0) ::_exit(127);
  }
  ~RunningTool() {
    if (pid_ > 0 && exitCode(std::chrono::seconds(0)) == -1) ::kill(pid_, SIGKILL), ::waitpid(pid_, nullptr, 0);
  }
  // Its exit code once it has ended, waiting at most `limit`; -1 while it runs.
  int exitCode(std::chrono::milliseconds limit = std::chrono::seconds(30)) {
    int status = 0;
    for (const auto giveUp = std::chrono::steady_clock::now() + limit; pid_ > 0;) {
      if (::waitpid(pid_, &status, WNOHANG) == pid_) pid_ = 0, exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -2;
      if (std::chrono::steady_clock::now() >= giveUp) break;
      if (pid_ > 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return exitCode_;
  }
  void signal(int number) {
    if (pid_ > 0) ::kill(pid_, number);
  }

 private:
  pid_t pid_ = -1;
  int exitCode_ = -1;
};

TEST_F(Psktool, TransmitKeysTheRigWhileItSendsAndUnkeysAfterOnAStopOrWhenTheRigGoes) {
  Rigctld daemon;
  ASSERT_TRUE(daemon.running()) << daemon.problem();
  const auto transmit = [&](const char* mode, const std::string& text, const std::string& ptt) {
    return std::vector<std::string>{"transmit", "--mode", mode, "--freq", "1500", "--device", "Simulator",
                                    "--ptt", ptt, text};
  };
  const std::string errors = path("errors.txt"), rigctld = "rigctld:" + daemon.address(), longText(200, 'e');
  // psktool lists the sound devices first, which takes seconds under the sanitizers.
  const auto keyed = [&] { return daemon.awaitPtt(true, std::chrono::seconds(30)); };
  {
    RunningTool tool(transmit("BPSK125", "CQ CQ de N0CALL k", rigctld), errors);
    EXPECT_TRUE(keyed()) << "keyed while the text goes out";
    EXPECT_EQ(tool.exitCode(), 0) << quillary::testing::readBytes(errors);
    EXPECT_EQ(daemon.ask("t"), "0") << "unkeyed after";
  }
  for (const int signal : {SIGINT, SIGTERM}) {
    RunningTool tool(transmit("BPSK31", longText, rigctld), errors);
    ASSERT_TRUE(keyed()) << quillary::testing::readBytes(errors);
    tool.signal(signal);
    EXPECT_EQ(tool.exitCode(), 130) << signal;
    EXPECT_EQ(daemon.ask("t"), "0") << "unkeyed before it ended";
  }
  {
    RunningTool tool(transmit("BPSK31", longText, rigctld), errors);
    ASSERT_TRUE(keyed()) << quillary::testing::readBytes(errors);
    daemon.kill();
    EXPECT_EQ(tool.exitCode(std::chrono::seconds(10)), 1) << "the rig gone: the transmission is dropped";
    const std::string said = quillary::testing::readBytes(errors);
    EXPECT_NE(said.find("PTT stopped answering"), std::string::npos) << said;
  }
  const std::pair<std::string, int> refused[] = {
      {"rigctld:127.0.0.1:1", 1}, {"serial:/dev/quillary-no-such-port", 1}, {"rigctld:localhost", 2},
      {"hamlib:IC7300:/dev/ttyUSB0", 2}, {"serial:", 2}, {"usb", 2}};
  for (const auto& [ptt, exitCode] : refused) {
    RunningTool tool(transmit("BPSK31", "x", ptt), errors);
    EXPECT_EQ(tool.exitCode(), exitCode) << ptt << ": " << quillary::testing::readBytes(errors);
  }
}

}  // namespace
}  // namespace quillary::psk::test

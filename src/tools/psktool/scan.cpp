// psktool scan: every station of one mode on the band at once. From a
// recording, each station found between --low and --high (200 and 3500 Hz)
// is printed on a line of its own: its frequency and all it sent, read from
// the recording's beginning. With --follow, the live view of a sound
// device: one line per station with its latest text, refreshed every
// second until Ctrl-C (or --seconds).
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Arguments.h"
#include "AudioFile.h"
#include "BandScan.h"
#include "Command.h"
#include "psk/PskEngine.h"
#include "psk/audio/AudioDeviceList.h"
#include "psk/audio/PumpedAudio.h"

namespace psktool {
namespace {

using quillary::psk::PskEngine;

constexpr std::size_t kBlock = PskEngine::kMaxBlock;
constexpr std::size_t kLookEvery = 4000;  // samples: half a second
constexpr double kFlushSeconds = 1.0;     // silence after the recording, so the ends come out
constexpr std::size_t kLineText = 64;     // characters of each station's latest text in the live view

struct ScanOptions {
  BandScan::Settings settings;
  bool follow = false;
  int device = -1;
  std::optional<double> seconds;
  std::string input;
};

std::string parseScanArgs(const std::vector<std::string>& args, ScanOptions& options) {
  std::optional<std::string> modeName;
  BandScan::Settings& settings = options.settings;
  const auto flag = [&](const std::string& word) { return word == "--follow" && (options.follow = true); };
  const auto option = [&](const std::string& word, const std::string& value) -> std::string {
    const auto number = parseNumber(value);
    if (word == "--mode") modeName = value;
    else if (word == "--low") return parseFrequency(word, value, settings.lowHz);
    else if (word == "--high") return parseFrequency(word, value, settings.highHz);
    else if (word == "--squelch") return parseSquelch(value, settings.squelch);
    else if (word == "--device") {
      if (!number || *number != static_cast<int>(*number) || *number < -1)
        return "--device must be a device number (-1 for the default), not \"" + value + "\"";
      options.device = static_cast<int>(*number);
    } else if (word == "--seconds") {
      if (!number || *number <= 0) return "--seconds must be a positive number, not \"" + value + "\"";
      options.seconds = *number;
    } else {
      return "unknown option " + word;
    }
    return "";
  };
  if (auto problem = parseWords(args, options.input, flag, option); !problem.empty()) return problem;
  if (auto problem = parseMode(modeName, settings.mode); !problem.empty()) return problem;
  if (settings.lowHz >= settings.highHz) return "--low must lie below --high";
  if (options.follow != options.input.empty())
    return options.follow ? "--follow listens to a sound device and takes no file" : "the input file is missing";
  return "";
}

// One device, pumped by hand: a recording goes through the engine as fast
// as it can.
class PumpedSource : public quillary::psk::AudioBackendSource {
 public:
  explicit PumpedSource(quillary::psk::PumpedAudio& device) : device_(device) {}
  std::unique_ptr<quillary::psk::AudioBackend> backendFor(int32_t) override { return device_.backend(); }

 private:
  quillary::psk::PumpedAudio& device_;
};

void printStations(const std::vector<BandScan::Station>& stations, std::size_t lastChars = std::string::npos) {
  for (const BandScan::Station& station : stations) {
    const std::string text = oneLine(station.text);
    std::printf("%6.0f Hz  %s\n", station.hz, text.substr(text.size() > lastChars ? text.size() - lastChars : 0).c_str());
  }
}

// The recording through a fresh engine: on the first pass the scan finds
// the stations, on the second it reads them. Answers "" or what went wrong.
std::string playThrough(const std::string& path, BandScan& scan, bool firstPass) {
  quillary::psk::PumpedAudio device;
  PumpedSource source(device);
  PskEngine engine(source);
  if (engine.fnStartSoundCard(nullptr, 0, 1) != 0) return "the engine did not start";
  if (!firstPass) {
    scan.restart();
    scan.listen(engine);
  }
  const auto look = [&] {
    if (firstPass) scan.discover(engine);
    else scan.collect(engine);
  };
  std::size_t sinceLook = 0;
  std::vector<float> block;
  const auto play = [&](const std::vector<float>& samples) {
    for (std::size_t at = 0; at < samples.size(); at += kBlock) {
      block.assign(samples.begin() + static_cast<std::ptrdiff_t>(at),
                   samples.begin() + static_cast<std::ptrdiff_t>(std::min(samples.size(), at + kBlock)));
      device.pump(block.size(), block);
      sinceLook += block.size();
      if (sinceLook < kLookEvery) continue;
      sinceLook = 0;
      look();
    }
    return true;
  };
  const std::string problem = readAudioFile(path, play);
  if (!problem.empty()) return problem;
  play(std::vector<float>(static_cast<std::size_t>(kFlushSeconds * quillary::psk::kSampleRate), 0.0f));
  look();
  if (!firstPass) printStations(scan.stations(engine));
  engine.fnStopSoundCard();
  return "";
}

int scanFile(const ScanOptions& options) {
  // First the stations are found over the whole recording, then each is
  // read from the beginning, so none loses the start of what it sent.
  BandScan scan(options.settings);
  for (bool firstPass : {true, false}) {
    if (const std::string problem = playThrough(options.input, scan, firstPass); !problem.empty()) {
      std::cerr << "psktool scan: " << options.input << ": " << problem << "\n";
      return 1;
    }
  }
  if (std::fflush(stdout) != 0) {
    std::cerr << "psktool scan: cannot write the stations\n";
    return 1;
  }
  return 0;
}

volatile std::sig_atomic_t interrupted = 0;
void onInterrupt(int) { interrupted = 1; }

// A page per refresh: on a terminal over the last one, else one after another.
void showLive(const std::vector<BandScan::Station>& stations, const BandScan::Settings& settings, bool terminal) {
  if (terminal) std::printf("\x1b[H\x1b[2J");
  std::printf("%s %.0f-%.0f Hz: %zu stations%s\n", std::string(quillary::psk::nameOf(settings.mode)).c_str(),
              settings.lowHz, settings.highHz, stations.size(), terminal ? " (Ctrl-C ends)" : "");
  printStations(stations, kLineText);
  if (!terminal) std::printf("\n");
  std::fflush(stdout);
}

int scanLive(const ScanOptions& options) {
  quillary::psk::AudioDeviceList devices(quillary::psk::simulatorInputFromEnvironment());
  PskEngine engine(devices);
  if (const int32_t error = engine.fnStartSoundCard(nullptr, options.device, 1); error != 0) {
    std::cerr << "psktool scan: the sound device " << options.device << " did not start (error " << error << ")\n";
    return 1;
  }
  std::signal(SIGINT, onInterrupt);
  BandScan scan(options.settings);
  const bool terminal = ::isatty(STDOUT_FILENO) != 0;
  const auto start = std::chrono::steady_clock::now();
  // A look at the band every half second, as when reading a recording; the
  // page is drawn again every other look.
  for (int look = 1; !interrupted; ++look) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    scan.discover(engine);
    scan.listen(engine);
    scan.collect(engine);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    const bool last = options.seconds && elapsed.count() >= *options.seconds;
    if (look % 2 == 0 || last) showLive(scan.stations(engine), options.settings, terminal);
    if (last) break;
  }
  engine.fnStopSoundCard();
  return 0;
}

int runScan(const std::vector<std::string>& args) {
  ScanOptions options;
  if (const auto problem = parseScanArgs(args, options); !problem.empty()) {
    std::cerr << "psktool scan: " << problem << "\n";
    return 2;
  }
  return options.follow ? scanLive(options) : scanFile(options);
}

const RegisterCommand registerScan(
    "scan",
    "scan --mode BPSK31 [--low 200] [--high 3500] [--squelch 30] IN.wav  (each station: frequency and text)\n"
    "  psktool scan --mode BPSK31 --follow [--device N] [--seconds S]  (live, one line per station)",
    runScan);

}  // namespace
}  // namespace psktool

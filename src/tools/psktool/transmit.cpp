// psktool transmit: keys the radio, sends the text in one mode through a
// sound device, waits until it is out and unkeys, for a beacon or a
// scripted call. The keying is the window's own (the engine and the
// station): VOX, serial RTS/DTR, or CAT through hamlib or rigctld. Ctrl-C
// and SIGTERM abort the transmission and unkey before the program ends; a
// PTT that cannot be opened or stops answering ends it with an error.
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <iostream>
#include <iterator>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Arguments.h"
#include "Command.h"
#include "PttOption.h"
#include "modem/ModemWindow.h"
#include "psk/PskEngine.h"
#include "psk/Station.h"
#include "psk/audio/AudioDeviceList.h"

namespace psktool {
namespace {

using namespace std::chrono_literals;
using quillary::PttMethod;
using quillary::psk::PskEngine;

constexpr auto kRigPatience = 10s;      // for a CAT rig to answer
constexpr auto kKeyingPatience = 10s;   // for the transmitter to come on
constexpr int kExitFailed = 1, kExitUsage = 2, kExitInterrupted = 130;

struct TransmitOptions {
  quillary::psk::PskMode mode;
  double frequency = 0;
  std::string device;
  quillary::RadioSettings ptt{PttMethod::Vox, 0, "", 0};
  std::optional<std::string> text;  // from standard input when absent
};

std::string parseTransmitArgs(const std::vector<std::string>& args, TransmitOptions& options) {
  std::optional<std::string> modeName, frequency;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word.size() < 2 || word[0] != '-') {
      if (options.text) return "more than one text given; put the text in quotes";
      options.text = word;
      continue;
    }
    if (i + 1 == args.size()) return "option " + word + " needs a value";
    const std::string& value = args[++i];
    if (word == "--mode") modeName = value;
    else if (word == "--freq") frequency = value;
    else if (word == "--device") options.device = value;
    else if (word == "--ptt") {
      if (auto problem = parsePttOption(value, options.ptt); !problem.empty()) return problem;
    } else return "unknown option " + word;
  }
  if (auto problem = parseMode(modeName, options.mode); !problem.empty()) return problem;
  if (!frequency) return "--freq is missing";
  if (auto problem = parseFrequency("--freq", *frequency, options.frequency); !problem.empty()) return problem;
  if (options.device.empty()) return "--device is missing (a number or a name from \"psktool devices\")";
  return "";
}

// The device by its number (-1: the default), by its name (the "(hw:N,M)"
// may be left out), or by the start of the one name that begins so.
std::optional<int32_t> findDevice(const quillary::psk::AudioDeviceList& devices, const std::string& device) {
  using quillary::psk::deviceNameKey;
  const auto& list = devices.devices();
  if (const auto number = parseNumber(device); number && *number == static_cast<int>(*number)) {
    if (*number >= -1 && *number < static_cast<double>(list.size())) return static_cast<int32_t>(*number);
    return std::nullopt;
  }
  std::vector<int32_t> starting;
  for (std::size_t n = 0; n < list.size(); ++n) {
    if (list[n].name == device || deviceNameKey(list[n].name) == deviceNameKey(device)) return static_cast<int32_t>(n);
    if (list[n].name.starts_with(device)) starting.push_back(static_cast<int32_t>(n));
  }
  if (starting.size() == 1) return starting.front();
  return std::nullopt;
}

// What the engine says of the transmitter, from its audio thread.
class TransmitterWatch : public quillary::ModemWindow {
 public:
  void post(int32_t message, int32_t wParam, int32_t) override {
    if (message != quillary::kMsgTransmitState) return;
    {
      std::lock_guard lock(mutex_);
      (wParam == 1 ? on_ : off_) = true;
    }
    changed_.notify_all();
  }
  bool wasOn() {
    std::lock_guard lock(mutex_);
    return on_;
  }
  bool offAfterOn(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return on_ && off_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool on_ = false, off_ = false;
};

volatile std::sig_atomic_t stopSignal = 0;
void onStopSignal(int signal) { stopSignal = signal; }

// Sets up the keying; answers what went wrong, or "".
std::string holdPtt(quillary::psk::Station& station, const quillary::RadioSettings& ptt) {
  if (ptt.method == PttMethod::Vox) return "";
  station.configure(ptt);
  if (!station.holdPtt()) return station.status().problem;
  if (ptt.method != PttMethod::Cat) return "";
  const auto rig = station.rig();
  if (rig->awaitAnswer(kRigPatience)) return "";
  return rig->answering() ? "CAT: the radio did not answer" : "CAT: " + rig->snapshot().problem;
}

// Sends and waits until the transmitter is off again; answers an exit code.
int send(PskEngine& engine, TransmitterWatch& watch, const TransmitOptions& options, const std::string& text) {
  engine.fnSetTXFrequency(static_cast<int32_t>(options.frequency));
  engine.fnStartTX(options.mode.code);
  engine.fnSendTXString(text);
  engine.fnStopTX();
  const auto giveUp = std::chrono::steady_clock::now() + kKeyingPatience;
  while (!watch.offAfterOn(50ms)) {
    const bool neverOn = !watch.wasOn() && std::chrono::steady_clock::now() > giveUp;
    if (stopSignal == 0 && !neverOn) continue;
    engine.fnAbortTX();
    watch.offAfterOn(2s);
    std::cerr << (neverOn ? "psktool transmit: the transmitter did not come on\n"
                          : "psktool transmit: stopped; the transmitter is off\n");
    return neverOn ? kExitFailed : kExitInterrupted;
  }
  if (engine.pttDrops() > 0) {
    std::cerr << "psktool transmit: the transmission was dropped: the PTT stopped answering\n";
    return kExitFailed;
  }
  return 0;
}

int transmitOn(quillary::psk::AudioDeviceList& devices, int32_t device, const TransmitOptions& options,
               const std::string& text) {
  PskEngine engine(devices);
  TransmitterWatch watch;
  if (const int32_t error = engine.fnStartSoundCard(&watch, device, 1); error != 0) {
    std::cerr << "psktool transmit: the sound device " << options.device << " did not start (error " << error << ")\n";
    return kExitFailed;
  }
  int exitCode = kExitFailed;
  {
    quillary::psk::Station station(engine);  // goes first: unkeys and closes the rig
    if (const std::string problem = holdPtt(station, options.ptt); !problem.empty())
      std::cerr << "psktool transmit: cannot key the radio: " << problem << "\n";
    else
      exitCode = send(engine, watch, options, text);
    engine.fnStopSoundCard();  // drops the transmitter and releases the PTT
  }
  return exitCode;
}

int runTransmit(const std::vector<std::string>& args) {
  TransmitOptions options;
  if (const std::string problem = parseTransmitArgs(args, options); !problem.empty()) {
    std::cerr << "psktool transmit: " << problem << "\n";
    return kExitUsage;
  }
  std::signal(SIGINT, onStopSignal);
  std::signal(SIGTERM, onStopSignal);
  const std::optional<std::string> text = textToSend(options.text, "transmit");
  if (!text) return kExitFailed;
  quillary::psk::AudioDeviceList devices(quillary::psk::simulatorInputFromEnvironment());
  const std::optional<int32_t> device = findDevice(devices, options.device);
  if (!device) {
    std::cerr << "psktool transmit: no sound device \"" << options.device << "\" (see psktool devices)\n";
    return kExitUsage;
  }
  return transmitOn(devices, *device, options, *text);
}

const RegisterCommand registerTransmit(
    "transmit",
    "transmit --mode MODE --freq HZ --device N|NAME [--ptt none|serial:PATH|hamlib:MODEL:DEVICE[:SPEED]|"
    "rigctld:HOST:PORT] [TEXT]  (text from stdin without TEXT)",
    runTransmit);

}  // namespace
}  // namespace psktool

#include "psk/audio/SimulatorBackend.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "modem/ModemLibrary.h"
#include "psk/audio/RecordingFile.h"

namespace quillary::psk {
namespace {

constexpr std::size_t kBlock = 256;
constexpr std::chrono::microseconds kBlockTime{32000};  // 256 samples at 8000 Hz
constexpr double kMaxSnrDb = 60.0;

}  // namespace

SimulatorBackend::SimulatorBackend(std::optional<std::string> recordingPath, SimulatorPathSetting path)
    : recordingPath_(std::move(recordingPath)), pathSetting_(std::move(path)) {}

SimulatorBackend::~SimulatorBackend() { stop(); }

namespace {

// The path as written; nullopt (and a line on the console) for a channel or
// ratio that is none.
std::optional<SimulatedBand::Path> pathOf(const SimulatorPathSetting& setting) {
  SimulatedBand::Path path;
  if (setting.channel) {
    path.condition = hfConditionNamed(*setting.channel);
    if (!path.condition) {
      std::fprintf(stderr, "Quillary: QUILLARY_SIM_CHANNEL=%s is no HF channel (good, moderate, poor or flat)\n",
                   setting.channel->c_str());
      return std::nullopt;
    }
  }
  if (setting.snrDb) {
    const char* text = setting.snrDb->c_str();
    char* end = nullptr;
    const double snr = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(snr) || std::abs(snr) > kMaxSnrDb) {
      std::fprintf(stderr, "Quillary: QUILLARY_SIM_SNR=%s is no signal-to-noise ratio in dB (-%g to %g)\n", text,
                   kMaxSnrDb, kMaxSnrDb);
      return std::nullopt;
    }
    path.snrDb = snr;
  }
  return path;
}

}  // namespace

int32_t SimulatorBackend::open() {
  const std::optional<SimulatedBand::Path> path = pathOf(pathSetting_);
  if (!path) return kStartCannotRead;
  if (!recordingPath_) {
    band_.emplace(*path);
    return 0;
  }
  std::optional<std::vector<float>> recording = loadRecording(*recordingPath_);
  if (!recording) return kStartCannotRead;
  band_.emplace(std::move(*recording), *path);
  return 0;
}

int32_t SimulatorBackend::start(Callback callback) {
  if (!band_) return kStartCannotRead;
  stop();
  callback_ = std::move(callback);
  running_ = true;
  thread_ = std::thread([this] { run(); });
  return 0;
}

void SimulatorBackend::stop() {
  running_ = false;
  if (thread_.joinable()) thread_.join();
}

// Blocks are due on a fixed schedule; after a long stall (a suspended
// machine) the schedule restarts instead of racing to catch up.
void SimulatorBackend::run() {
  std::vector<float> in(kBlock), out(kBlock);
  auto due = std::chrono::steady_clock::now();
  while (running_) {
    band_->render(kBlock, in.data());
    callback_(in.data(), out.data(), kBlock);
    due += kBlockTime;
    const auto now = std::chrono::steady_clock::now();
    if (now - due > std::chrono::seconds(1)) due = now;
    std::this_thread::sleep_until(due);
  }
}

}  // namespace quillary::psk

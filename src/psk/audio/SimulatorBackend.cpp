#include "psk/audio/SimulatorBackend.h"

#include <chrono>
#include <utility>
#include <vector>

#include "modem/ModemLibrary.h"
#include "psk/audio/RecordingFile.h"

namespace quillary::psk {
namespace {

constexpr std::size_t kBlock = 256;
constexpr std::chrono::microseconds kBlockTime{32000};  // 256 samples at 8000 Hz

}  // namespace

SimulatorBackend::SimulatorBackend(std::optional<std::string> recordingPath)
    : recordingPath_(std::move(recordingPath)) {}

SimulatorBackend::~SimulatorBackend() { stop(); }

int32_t SimulatorBackend::open() {
  if (!recordingPath_) {
    band_.emplace();
    return 0;
  }
  std::optional<std::vector<float>> recording = loadRecording(*recordingPath_);
  if (!recording) return kStartCannotRead;
  band_.emplace(std::move(*recording));
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

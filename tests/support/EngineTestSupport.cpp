#include "support/EngineTestSupport.h"

#include <cmath>

namespace quillary::psk::test {

void RecordingWindow::post(int32_t message, int32_t wParam, int32_t lParam) {
  std::lock_guard lock(mutex_);
  posted_.push_back({message, wParam, lParam});
}

std::vector<Posted> RecordingWindow::all() const {
  std::lock_guard lock(mutex_);
  return posted_;
}

std::vector<Posted> RecordingWindow::of(int32_t message) const {
  std::vector<Posted> found;
  for (const Posted& p : all())
    if (p.message == message) found.push_back(p);
  return found;
}

std::string RecordingWindow::text() const {
  std::string bytes;
  for (const Posted& p : of(kMsgCharacter)) bytes += static_cast<char>(p.wParam);
  return bytes;
}

std::vector<int32_t> RecordingWindow::transmitStates() const {
  std::vector<int32_t> states;
  for (const Posted& p : of(kMsgTransmitState)) states.push_back(p.wParam);
  return states;
}

void RecordingWindow::clear() {
  std::lock_guard lock(mutex_);
  posted_.clear();
}

bool FakePttPort::open(const std::string& path) {
  if (log_->refuseOpen) return false;
  log_->events.push_back("open " + path);
  open_ = true;
  return true;
}

void FakePttPort::close() {
  if (!open_) return;
  log_->events.push_back("close");
  open_ = false;
}

bool FakePttPort::setKeyed(bool keyed) {
  if (!open_ || log_->vanished) return false;
  log_->events.push_back(keyed ? "key" : "unkey");
  log_->keyed = keyed;
  return true;
}

std::unique_ptr<AudioBackend> PumpedDevices::backendFor(int32_t device) {
  const int32_t number = device == -1 ? 0 : device;
  if (number < 0 || static_cast<std::size_t>(number) >= devices_.size()) return nullptr;
  return devices_[static_cast<std::size_t>(number)]->backend();
}

PskEngine::Options fakePttOptions(std::shared_ptr<PttLog> log, std::vector<std::string> ports) {
  PskEngine::Options options;
  options.pttPorts = [log] { return std::make_unique<FakePttPort>(log); };
  options.serialPorts = [ports] { return ports; };
  return options;
}

std::vector<float> pumpUntilOff(PumpedAudio& device, RecordingWindow& window, double maxSeconds,
                                std::size_t block, bool feedBack) {
  std::vector<float> audio;
  std::vector<float> input;
  const auto offs = [&] {
    std::size_t n = 0;
    for (int32_t state : window.transmitStates()) n += state == 0 ? 1 : 0;
    return n;
  };
  const std::size_t offsBefore = offs();
  while (audio.size() < maxSeconds * 8000 && offs() == offsBefore) {
    std::vector<float> out = device.pump(block, feedBack ? input : std::vector<float>{});
    if (out.empty()) break;
    audio.insert(audio.end(), out.begin(), out.end());
    input = out;
  }
  return audio;
}

long lastAudible(const std::vector<float>& audio, float threshold) {
  for (long i = static_cast<long>(audio.size()) - 1; i >= 0; --i)
    if (std::fabs(audio[static_cast<std::size_t>(i)]) > threshold) return i;
  return -1;
}

int countMarks(const std::vector<float>& audio, std::size_t from, std::size_t minGap) {
  int marks = 0;
  std::size_t quiet = minGap;  // start as if after a gap
  for (std::size_t i = from; i < audio.size(); ++i) {
    if (std::fabs(audio[i]) > 1e-3f) {
      if (quiet >= minGap) ++marks;
      quiet = 0;
    } else {
      ++quiet;
    }
  }
  return marks;
}

}  // namespace quillary::psk::test

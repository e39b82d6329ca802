#pragma once
// Doubles for engine tests: a window recording what is posted, PTT ports
// logging what they are told, and a source of pumped devices.
#include <atomic>
#include <mutex>

#include "modem/ModemWindow.h"
#include "psk/PskEngine.h"
#include "psk/audio/AudioBackend.h"
#include "psk/audio/PumpedAudio.h"
#include "psk/ptt/PttPort.h"

namespace quillary::psk::test {

struct Posted {
  int32_t message, wParam, lParam;
};

class RecordingWindow : public ModemWindow {
 public:
  void post(int32_t message, int32_t wParam, int32_t lParam) override {
    std::lock_guard lock(mutex_);
    posted_.push_back({message, wParam, lParam});
  }
  std::vector<Posted> all() const {
    std::lock_guard lock(mutex_);
    return posted_;
  }
  std::vector<Posted> of(int32_t message) const;
  std::size_t count(int32_t message) const { return of(message).size(); }
  std::vector<int32_t> wParams(int32_t message) const;
  std::string text() const {
    const std::vector<int32_t> bytes = wParams(kMsgCharacter);
    return std::string(bytes.begin(), bytes.end());
  }
  std::vector<int32_t> transmitStates() const { return wParams(kMsgTransmitState); }

 private:
  mutable std::mutex mutex_;
  std::vector<Posted> posted_;
};

// Shared by every port a factory makes.
struct PttLog {
  std::vector<std::string> events;  // "open PATH", "key", "unkey", "close"
  bool refuseOpen = false;
  bool vanished = false;  // the adapter was pulled: nothing answers any more
  std::atomic<bool> silent{false};  // a CAT rig that stopped answering on its own
  std::atomic<bool> keyed{false};  // also set by the PTT watchdog's thread
};

class FakePttPort : public PttPort {
 public:
  explicit FakePttPort(std::shared_ptr<PttLog> log) : log_(std::move(log)) {}
  bool open(const std::string& path) override {
    if (log_->refuseOpen) return false;
    log_->events.push_back("open " + path);
    return open_ = true;
  }
  void close() override {
    if (open_) log_->events.push_back("close");
    open_ = false;
  }
  bool setKeyed(bool keyed) override {
    if (!open_ || log_->vanished) return false;
    log_->events.push_back(keyed ? "key" : "unkey");
    log_->keyed = keyed;
    return true;
  }
  bool answering() const override { return !log_->silent; }

 private:
  std::shared_ptr<PttLog> log_;
  bool open_ = false;
};

// Device n is devices[n]; -1 is device 0.
class PumpedDevices : public AudioBackendSource {
 public:
  explicit PumpedDevices(std::vector<PumpedAudio*> devices) : devices_(std::move(devices)) {}
  std::unique_ptr<AudioBackend> backendFor(int32_t device) override {
    const std::size_t number = device == -1 ? 0 : static_cast<std::size_t>(device);
    return number < devices_.size() ? devices_[number]->backend() : nullptr;
  }

 private:
  std::vector<PumpedAudio*> devices_;
};

PskEngine::Options fakePttOptions(std::shared_ptr<PttLog> log, std::vector<std::string> ports);

// The audio until the engine reports the transmitter off (or `maxSeconds`).
// `feedBack` sends each block back in, as if the radio heard itself.
std::vector<float> pumpUntilOff(PumpedAudio& device, RecordingWindow& window, double maxSeconds = 60,
                                std::size_t block = 256, bool feedBack = false);

// -1 if none.
long lastAudible(const std::vector<float>& audio, float threshold = 1e-4f);

}  // namespace quillary::psk::test

#include "psk/audio/PumpedAudio.h"

#include <algorithm>
#include <mutex>
#include <utility>

namespace quillary::psk {

struct PumpedAudio::Core {
  mutable std::mutex mutex;  // held across a callback, so stop() waits for it
  AudioBackend::Callback callback;
  AudioBackend::LostHandler lost;
  bool running = false;
  int32_t openError = 0;
  std::size_t outputDelay = 0;
};

namespace {

class PumpedBackend : public AudioBackend {
 public:
  explicit PumpedBackend(std::shared_ptr<PumpedAudio::Core> core) : core_(std::move(core)) {}
  ~PumpedBackend() override { stop(); }

  int32_t open() override {
    std::lock_guard lock(core_->mutex);
    return core_->openError;
  }
  int32_t start(Callback callback) override {
    std::lock_guard lock(core_->mutex);
    core_->callback = std::move(callback);
    core_->lost = lostHandler();
    core_->running = true;
    return 0;
  }
  void stop() override {
    std::lock_guard lock(core_->mutex);
    core_->running = false;
    core_->callback = nullptr;
    core_->lost = nullptr;
  }
  std::size_t outputDelayFrames() const override {
    std::lock_guard lock(core_->mutex);
    return core_->outputDelay;
  }

 private:
  std::shared_ptr<PumpedAudio::Core> core_;
};

}  // namespace

PumpedAudio::PumpedAudio(std::size_t outputDelayFrames) : core_(std::make_shared<Core>()) {
  core_->outputDelay = outputDelayFrames;
}

PumpedAudio::~PumpedAudio() = default;

std::unique_ptr<AudioBackend> PumpedAudio::backend() { return std::make_unique<PumpedBackend>(core_); }

void PumpedAudio::failOpenWith(int32_t code) {
  std::lock_guard lock(core_->mutex);
  core_->openError = code;
}

std::vector<float> PumpedAudio::pump(std::size_t frames, const std::vector<float>& in) {
  std::lock_guard lock(core_->mutex);
  if (!core_->running || frames == 0) return {};
  std::vector<float> input(in.begin(), in.begin() + static_cast<std::ptrdiff_t>(std::min(frames, in.size())));
  input.resize(frames, 0.0f);
  std::vector<float> output(frames, 0.0f);
  core_->callback(input.data(), output.data(), frames);
  return output;
}

void PumpedAudio::loseDevice() {
  std::lock_guard lock(core_->mutex);  // as the audio thread would hold it
  if (!core_->running) return;
  core_->running = false;
  core_->callback = nullptr;
  if (core_->lost) core_->lost();
  core_->lost = nullptr;
}

bool PumpedAudio::running() const {
  std::lock_guard lock(core_->mutex);
  return core_->running;
}

}  // namespace quillary::psk

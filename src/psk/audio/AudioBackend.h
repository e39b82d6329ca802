#pragma once
// One sound device as the engine sees it: mono blocks at 8000 Hz, receive
// input and transmit output together. Sound cards, the built-in simulator
// and the test backends all look like this, so the engine does not care
// where its audio comes from.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace quillary::psk {

class AudioBackend {
 public:
  // `in` holds `frames` received samples, `out` takes as many transmit
  // samples (-1..1). Called on the backend's own audio thread, one call at a
  // time, never after stop() has returned.
  using Callback = std::function<void(const float* in, float* out, std::size_t frames)>;

  virtual ~AudioBackend() = default;
  // Claims the device: 0, or kStartDeviceBusy / kStartCannotRead.
  virtual int32_t open() = 0;
  // Starts the audio thread: 0, or an error code as for open().
  virtual int32_t start(Callback callback) = 0;
  // Stops audio and waits for the last callback to return. Idempotent.
  virtual void stop() = 0;
  // Samples (at 8000 Hz) between a sample leaving the callback and the
  // device playing it: the engine holds "transmitter off" back that long.
  virtual std::size_t outputDelayFrames() const = 0;

  // Called on the audio thread when the device fails for good (unplugged, a
  // host error): no callback follows it. Set before start().
  using LostHandler = std::function<void()>;
  void setLostHandler(LostHandler lost) { lost_ = std::move(lost); }

 protected:
  const LostHandler& lostHandler() const { return lost_; }

 private:
  LostHandler lost_;
};

// The engine's numbered sound devices.
class AudioBackendSource {
 public:
  virtual ~AudioBackendSource() = default;
  // The backend of device `device` (-1 = the default), or nullptr when there
  // is no such device.
  virtual std::unique_ptr<AudioBackend> backendFor(int32_t device) = 0;
};

}  // namespace quillary::psk

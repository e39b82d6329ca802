#pragma once
// A sound card through PortAudio: one full-duplex stream on the chosen
// device (input only when the device has no output), at 8000 Hz when the
// device offers it, else at 48000 Hz or its default rate with the Resampler
// both ways. A thread of its own reads a block, hands it to the engine and
// writes the engine's block back, so the engine's work never runs inside
// PortAudio's real-time callback.
#include <atomic>
#include <memory>
#include <thread>

#include "psk/audio/AudioBackend.h"
#include "psk/audio/PortAudioSession.h"

namespace quillary::psk {

class PortAudioBackend : public AudioBackend {
 public:
  // `paDevice`: PortAudio's device index.
  PortAudioBackend(std::shared_ptr<PortAudioSession> session, int paDevice);
  ~PortAudioBackend() override;

  int32_t open() override;
  int32_t start(Callback callback) override;
  void stop() override;
  std::size_t outputDelayFrames() const override;

  struct Format {
    double rate = 8000.0;
    int inputChannels = 1;
    int outputChannels = 0;  // 0: the device cannot play
  };

 private:
  void run();
  void fillOutputWithSilence(void* stream);
  void close();

  std::shared_ptr<PortAudioSession> session_;
  int paDevice_;
  void* stream_ = nullptr;  // PaStream
  Format format_;
  Callback callback_;
  std::atomic<bool> running_{false};
  std::thread thread_;
};

}  // namespace quillary::psk

#pragma once
// PortAudio initialised once for everyone who needs it: the device list and
// every open sound card hold a share, and PortAudio is terminated when the
// last share goes.
#include <memory>

namespace quillary::psk {

class PortAudioSession {
 public:
  // The shared session; nullptr when PortAudio cannot be initialised (no
  // sound system at all).
  static std::shared_ptr<PortAudioSession> acquire();
  ~PortAudioSession();
  PortAudioSession(const PortAudioSession&) = delete;
  PortAudioSession& operator=(const PortAudioSession&) = delete;

 private:
  PortAudioSession() = default;
};

}  // namespace quillary::psk

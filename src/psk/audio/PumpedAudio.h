#pragma once
// A sound device driven by hand, for tests and benchmarks: every pump()
// runs one engine callback on the caller's thread, so sequencing is exact
// and nothing waits on a clock.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "psk/audio/AudioBackend.h"

namespace quillary::psk {

class PumpedAudio {
 public:
  // `outputDelayFrames`: the output buffer the device pretends to have.
  explicit PumpedAudio(std::size_t outputDelayFrames = 0);
  ~PumpedAudio();

  // A backend onto this device for the engine (any number of handles).
  std::unique_ptr<AudioBackend> backend();
  // open() answers `code` from now on (0 = opens normally).
  void failOpenWith(int32_t code);

  // Runs one callback with `in` as the receive input (silence when empty or
  // shorter) and answers the transmit output; empty when audio is not running.
  std::vector<float> pump(std::size_t frames, const std::vector<float>& in = {});
  bool running() const;
  // The device fails as an unplugged card would: the engine's lost handler
  // runs, and no callback follows.
  void loseDevice();

  struct Core;  // shared with the backend handles

 private:
  std::shared_ptr<Core> core_;
};

}  // namespace quillary::psk

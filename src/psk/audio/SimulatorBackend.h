#pragma once
// The built-in "Simulator" sound device: no hardware, a thread that ticks
// 32 ms blocks against the steady clock. Its receive input is the simulated
// band; its transmit audio goes nowhere (a radio does not hear itself).
#include <atomic>
#include <optional>
#include <string>
#include <thread>

#include "psk/audio/AudioBackend.h"
#include "psk/audio/SimulatedBand.h"

namespace quillary::psk {

class SimulatorBackend : public AudioBackend {
 public:
  // `recordingPath`: a sound file played instead of the demo station
  // (QUILLARY_SIM_INPUT in the program).
  explicit SimulatorBackend(std::optional<std::string> recordingPath = std::nullopt);
  ~SimulatorBackend() override;

  // kStartCannotRead when the recording cannot be read.
  int32_t open() override;
  int32_t start(Callback callback) override;
  void stop() override;
  std::size_t outputDelayFrames() const override { return 0; }

 private:
  void run();

  std::optional<std::string> recordingPath_;
  std::optional<SimulatedBand> band_;
  Callback callback_;
  std::atomic<bool> running_{false};
  std::thread thread_;
};

}  // namespace quillary::psk

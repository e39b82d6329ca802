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

// How the Simulator's station reaches the band, as the operator wrote it
// (QUILLARY_SIM_CHANNEL and QUILLARY_SIM_SNR in the program): an HF
// channel's name ("good", "moderate", "poor", "flat") and a signal-to-noise
// ratio in dB in 3 kHz. Read when the device opens.
struct SimulatorPathSetting {
  std::optional<std::string> channel;
  std::optional<std::string> snrDb;
};

class SimulatorBackend : public AudioBackend {
 public:
  // `recordingPath`: a sound file played instead of the demo station
  // (QUILLARY_SIM_INPUT in the program).
  explicit SimulatorBackend(std::optional<std::string> recordingPath = std::nullopt, SimulatorPathSetting path = {});
  ~SimulatorBackend() override;

  // kStartCannotRead when the recording cannot be read, or the path names
  // no channel or no ratio (said on the console).
  int32_t open() override;
  int32_t start(Callback callback) override;
  void stop() override;
  std::size_t outputDelayFrames() const override { return 0; }

 private:
  void run();

  std::optional<std::string> recordingPath_;
  SimulatorPathSetting pathSetting_;
  std::optional<SimulatedBand> band_;
  Callback callback_;
  std::atomic<bool> running_{false};
  std::thread thread_;
};

}  // namespace quillary::psk

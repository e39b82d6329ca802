#pragma once
// The engine's sound devices, numbered as the device chooser shows them:
// PortAudio's input-capable devices in PortAudio's order, then "Simulator"
// as the last device. -1 is the system's default input device, or the
// Simulator when the system has none. The list is taken once, when it is
// made, so the numbers cannot move between the chooser and the start.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "modem/DeviceInventory.h"
#include "psk/audio/AudioBackend.h"
#include "psk/audio/PortAudioSession.h"
#include "psk/audio/SimulatorBackend.h"

namespace quillary::psk {

class AudioDeviceList : public DeviceInventory, public AudioBackendSource {
 public:
  static constexpr const char* kSimulatorName = "Simulator";

  struct Device {
    std::string name;
    int paIndex = -1;  // -1: the Simulator
  };

  // Asks PortAudio for its devices. `simulatorInput` is the recording the
  // Simulator plays instead of its demo station (nullopt: the demo), and
  // `simulatorPath` how its station reaches the band.
  explicit AudioDeviceList(std::optional<std::string> simulatorInput = std::nullopt,
                           SimulatorPathSetting simulatorPath = {});

  std::optional<std::vector<std::string>> soundDevices() const override;
  std::unique_ptr<AudioBackend> backendFor(int32_t device) override;

  const std::vector<Device>& devices() const { return devices_; }
  // The device number -1 stands for.
  int defaultDevice() const { return defaultDevice_; }

 private:
  std::shared_ptr<PortAudioSession> session_;  // null when PortAudio is unusable
  std::vector<Device> devices_;
  int defaultDevice_ = 0;
  std::optional<std::string> simulatorInput_;
  SimulatorPathSetting simulatorPath_;
};

// A device's name without the "(hw:N,M)" PortAudio ends ALSA's names with:
// those numbers move when another card comes or goes, the rest stays.
std::string deviceNameKey(const std::string& name);

// The Simulator's recording named by QUILLARY_SIM_INPUT, if set and not empty.
std::optional<std::string> simulatorInputFromEnvironment();
// The Simulator's path from QUILLARY_SIM_CHANNEL and QUILLARY_SIM_SNR, as
// far as they are set and not empty.
SimulatorPathSetting simulatorPathFromEnvironment();

}  // namespace quillary::psk

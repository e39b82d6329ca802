#include "psk/audio/AudioDeviceList.h"

#include <portaudio.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <utility>

#include "psk/audio/PortAudioBackend.h"
#include "psk/audio/SimulatorBackend.h"

namespace quillary::psk {

AudioDeviceList::AudioDeviceList(std::optional<std::string> simulatorInput, SimulatorPathSetting simulatorPath)
    : session_(PortAudioSession::acquire()),
      simulatorInput_(std::move(simulatorInput)),
      simulatorPath_(std::move(simulatorPath)) {
  const PaDeviceIndex paDefault = session_ ? Pa_GetDefaultInputDevice() : paNoDevice;
  const int count = session_ ? Pa_GetDeviceCount() : 0;  // negative on error: no devices
  bool foundDefault = false;
  for (int index = 0; index < count; ++index) {
    const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
    if (info == nullptr || info->maxInputChannels < 1) continue;
    if (index == paDefault) {
      defaultDevice_ = static_cast<int>(devices_.size());
      foundDefault = true;
    }
    devices_.push_back(Device{info->name != nullptr ? info->name : "", index});
  }
  if (!foundDefault) defaultDevice_ = static_cast<int>(devices_.size());  // the Simulator
  devices_.push_back(Device{kSimulatorName, -1});
}

std::optional<std::vector<std::string>> AudioDeviceList::soundDevices() const {
  std::vector<std::string> names;
  for (const Device& device : devices_) names.push_back(device.name);
  return names;
}

std::unique_ptr<AudioBackend> AudioDeviceList::backendFor(int32_t device) {
  const int number = device == -1 ? defaultDevice_ : device;
  if (number < 0 || static_cast<std::size_t>(number) >= devices_.size()) return nullptr;
  const Device& chosen = devices_[static_cast<std::size_t>(number)];
  if (chosen.paIndex < 0) return std::make_unique<SimulatorBackend>(simulatorInput_, simulatorPath_);
  return std::make_unique<PortAudioBackend>(session_, chosen.paIndex);
}

std::string deviceNameKey(const std::string& name) {
  std::string key = name;
  const auto open = key.rfind(" (hw:");
  if (open != std::string::npos && key.back() == ')') {
    const std::string numbers = key.substr(open + 5, key.size() - open - 6);  // "N,M"
    const auto comma = numbers.find(',');
    const auto digits = [](const std::string& s) {
      return !s.empty() && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
    };
    if (comma != std::string::npos && digits(numbers.substr(0, comma)) && digits(numbers.substr(comma + 1)))
      key.erase(open);
  }
  while (!key.empty() && key.back() == ' ') key.pop_back();
  return key;
}

namespace {
std::optional<std::string> environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}
}  // namespace

std::optional<std::string> simulatorInputFromEnvironment() { return environment("QUILLARY_SIM_INPUT"); }

SimulatorPathSetting simulatorPathFromEnvironment() {
  return {environment("QUILLARY_SIM_CHANNEL"), environment("QUILLARY_SIM_SNR")};
}

}  // namespace quillary::psk

// psktool devices: the sound devices with the numbers the device chooser
// and sound.ini use, then the serial ports with the numbers the comm port
// box takes.
#include <iostream>

#include "Command.h"
#include "psk/audio/AudioDeviceList.h"
#include "psk/ptt/SerialPortList.h"

namespace psktool {
namespace {

int listDevices(const std::vector<std::string>& args) {
  if (!args.empty()) {
    std::cerr << "psktool devices: takes no arguments\n";
    return 2;
  }
  const quillary::psk::AudioDeviceList devices;
  std::cout << "Sound devices:\n-1 Default";
  const auto& list = devices.devices();
  std::cout << " (" << list[static_cast<std::size_t>(devices.defaultDevice())].name << ")\n";
  for (std::size_t n = 0; n < list.size(); ++n) std::cout << n << " " << list[n].name << "\n";

  const std::vector<std::string> ports = quillary::psk::listSerialPorts();
  std::cout << "Serial ports (PTT):\n";
  if (ports.empty()) std::cout << "(none)\n";
  else std::cout << quillary::psk::describeSerialPorts(ports) << "\n";
  return 0;
}

const RegisterCommand registration("devices", "devices", listDevices);

}  // namespace
}  // namespace psktool

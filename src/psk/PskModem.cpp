#include "psk/PskModem.h"

#include "psk/ptt/SerialPortList.h"

namespace quillary::psk {

PskModem makePskModem() {
  PskModem modem;
  modem.devices = std::make_unique<AudioDeviceList>(simulatorInputFromEnvironment(), simulatorPathFromEnvironment());
  modem.engine = std::make_unique<PskEngine>(*modem.devices);
  modem.station = std::make_unique<Station>(*modem.engine);
  return modem;
}

std::string serialPortTooltip() { return describeSerialPorts(listSerialPorts()); }

}  // namespace quillary::psk

#pragma once
// The engine as the program uses it, made in one call: the device list (for
// the sound-device chooser, as its DeviceInventory) and the engine on it
// (as the ModemLibrary), with libserialport PTT and the Simulator playing
// QUILLARY_SIM_INPUT when that is set, its station coming over the HF
// channel QUILLARY_SIM_CHANNEL names at QUILLARY_SIM_SNR when those are.
#include <memory>
#include <string>

#include "psk/PskEngine.h"
#include "psk/audio/AudioDeviceList.h"

namespace quillary::psk {

struct PskModem {
  std::unique_ptr<AudioDeviceList> devices;  // declared first: outlives the engine
  std::unique_ptr<PskEngine> engine;
};

PskModem makePskModem();

// "1 /dev/ttyUSB0\n2 /dev/ttyS0": the serial ports by the numbers the comm
// port box takes (a tooltip for it); empty when there are none.
std::string serialPortTooltip();

}  // namespace quillary::psk

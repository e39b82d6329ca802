#pragma once
// The engine as the program uses it, made in one call: the device list (for
// the sound-device chooser, as its DeviceInventory) and the engine on it
// (as the ModemLibrary), with libserialport PTT and the Simulator playing
// QUILLARY_SIM_INPUT when that is set, its station coming over the HF
// channel QUILLARY_SIM_CHANNEL names at QUILLARY_SIM_SNR when those are, and
// the station on the engine (as the RadioLink: CAT and VOX keying, the dial).
#include <memory>
#include <string>

#include "psk/PskEngine.h"
#include "psk/Station.h"
#include "psk/audio/AudioDeviceList.h"

namespace quillary::psk {

struct PskModem {
  std::unique_ptr<AudioDeviceList> devices;  // declared first: outlives the engine
  std::unique_ptr<PskEngine> engine;
  std::unique_ptr<Station> station;  // declared last: goes before the engine it keys
};

PskModem makePskModem();

// "1 /dev/ttyUSB0\n2 /dev/ttyS0": the serial ports by the numbers the comm
// port box takes (a tooltip for it); empty when there are none.
std::string serialPortTooltip();

}  // namespace quillary::psk

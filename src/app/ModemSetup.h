#pragma once
// The modem and the sound-device inventory the program runs on, made in one
// place: the psk engine and its device list.
#include <memory>
#include <string>

#include "modem/DeviceInventory.h"
#include "modem/ModemLibrary.h"
#include "modem/RadioLink.h"

namespace quillary {

struct ModemParts {
  // Declared first so it goes last: the engine opens its devices through it.
  std::unique_ptr<DeviceInventory> inventory;
  std::unique_ptr<ModemLibrary> modem;
  // Which serial device each comm-port number keys, one "n /dev/..." a line.
  std::string commPortTooltip;
  std::unique_ptr<RadioLink> radio;  // declared last: goes before the modem it keys through
};

ModemParts makeModemParts();

}  // namespace quillary

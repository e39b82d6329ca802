#pragma once
// The modem and the sound-device inventory the program runs on, made in one
// place so the engine can be swapped in here alone.
#include <memory>

#include "modem/DeviceInventory.h"
#include "modem/ModemLibrary.h"

namespace quillary {

struct ModemParts {
  std::unique_ptr<ModemLibrary> modem;
  std::unique_ptr<DeviceInventory> inventory;
};

ModemParts makeModemParts();

}  // namespace quillary

#pragma once
// psktool's --ptt: how the transmitter is keyed.
//   none                       VOX: nothing is keyed
//   serial:PATH                RTS and DTR of a serial port, as the window keys
//   hamlib:MODEL[:DEVICE[:SPEED]] CAT through hamlib (a number last is the speed)
//   rigctld:HOST:PORT          CAT through a running rigctld
#include <string>

#include "modem/RadioLink.h"

namespace psktool {

// Sets `settings` from the --ptt value; answers an error message or "".
std::string parsePttOption(const std::string& value, quillary::RadioSettings& settings);

}  // namespace psktool

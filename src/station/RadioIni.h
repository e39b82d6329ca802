#pragma once
// "radio.ini" in the program folder: how the transmitter is keyed. In the
// field syntax of psk.ini, one field a line, CR LF:
//   1 the method as text: "SERIAL", "CAT" or "VOX"
//   2 hamlib's rig model number
//   3 the rig's device, or rigctld's HOST:PORT, as text
//   4 the serial speed (0: the rig's default)
// Lines after these are read and ignored, for what later versions add.
#include <filesystem>
#include <string>

#include "modem/RadioLink.h"

namespace quillary {

struct RadioIniRead {
  RadioSettings settings;  // the serial keying when the file is not taken
  std::string problem;     // why the file was not taken, for the console; "" when read (or missing)
  bool found = false;      // the file was there
};

// A file that is missing keys by serial port as before; one that cannot be
// read or holds anything but the four fields is not taken at all (a CAT rig
// of half-read settings is worse than none) and says why.
RadioIniRead readRadioIni(const std::filesystem::path& file);
// The bytes of radio.ini. A double quote in the device is dropped: the
// field syntax cannot hold one.
std::string formatRadioIni(const RadioSettings& settings);

// "SERIAL", "CAT", "VOX".
const char* methodName(PttMethod method);

}  // namespace quillary

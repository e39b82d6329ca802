#pragma once
// The serial ports by number, as the comm-port box counts them: port 1 is
// the first of /dev/ttyUSB*, then /dev/ttyACM*, then /dev/ttyS*, each group
// in numeric order. USB adapters come first because that is what most
// stations key their radio with.
#include <optional>
#include <string>
#include <vector>

namespace quillary::psk {

// Full paths ("/dev/ttyUSB0", ...) in port order, from the entry names of a
// device directory ("ttyUSB0", "ttyS1", "sda", ...). Other names are left out.
std::vector<std::string> orderSerialPorts(const std::vector<std::string>& entryNames,
                                          const std::string& directory = "/dev");

// The serial ports of this machine in port order (empty when /dev cannot
// be read).
std::vector<std::string> listSerialPorts();

// The path of port `number` (from 1), or nullopt.
std::optional<std::string> serialPortPath(const std::vector<std::string>& ports, int number);

// "1 /dev/ttyUSB0\n2 /dev/ttyS0" : one line per port, for a tooltip or a list.
std::string describeSerialPorts(const std::vector<std::string>& ports);

}  // namespace quillary::psk

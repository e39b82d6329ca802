#include "psk/ptt/SerialPortList.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace quillary::psk {
namespace {

constexpr std::array<std::string_view, 3> kGroups{"ttyUSB", "ttyACM", "ttyS"};

// The number after a group prefix ("ttyUSB12" -> 12), or nullopt when the
// name is the prefix followed by anything but digits.
std::optional<long> portIndex(const std::string& name, std::string_view prefix) {
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
  const std::string digits = name.substr(prefix.size());
  if (digits.size() > 9) return std::nullopt;
  if (!std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
    return std::nullopt;
  return std::stol(digits);
}

}  // namespace

std::vector<std::string> orderSerialPorts(const std::vector<std::string>& entryNames,
                                          const std::string& directory) {
  std::vector<std::string> ports;
  for (std::string_view prefix : kGroups) {
    std::vector<std::pair<long, std::string>> group;
    for (const std::string& name : entryNames) {
      if (auto index = portIndex(name, prefix)) group.emplace_back(*index, name);
    }
    std::sort(group.begin(), group.end());
    for (const auto& entry : group) ports.push_back(directory + "/" + entry.second);
  }
  return ports;
}

std::vector<std::string> listSerialPorts() {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it("/dev", error), end; !error && it != end; it.increment(error)) {
    names.push_back(it->path().filename().string());
  }
  return orderSerialPorts(names);
}

std::optional<std::string> serialPortPath(const std::vector<std::string>& ports, int number) {
  if (number < 1 || static_cast<std::size_t>(number) > ports.size()) return std::nullopt;
  return ports[static_cast<std::size_t>(number) - 1];
}

std::string describeSerialPorts(const std::vector<std::string>& ports) {
  std::string text;
  for (std::size_t i = 0; i < ports.size(); ++i) {
    if (i > 0) text += '\n';
    text += std::to_string(i + 1) + " " + ports[i];
  }
  return text;
}

}  // namespace quillary::psk

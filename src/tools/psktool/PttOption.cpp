#include "PttOption.h"

#include <algorithm>
#include <cctype>

namespace psktool {
namespace {

using quillary::PttMethod;
using quillary::RadioSettings;

// A whole number of 1 to 9 digits, or -1.
long wholeNumber(const std::string& text) {
  if (text.empty() || text.size() > 9 || !std::ranges::all_of(text, [](unsigned char c) { return std::isdigit(c); }))
    return -1;
  return std::stol(text);
}

std::string parseHamlib(const std::string& rest, RadioSettings& settings) {
  const std::string usage = "--ptt hamlib:MODEL[:DEVICE[:SPEED]] (for example hamlib:3073:/dev/ttyUSB0:19200)";
  const auto colon = rest.find(':');
  const long model = wholeNumber(rest.substr(0, colon));
  if (model < 1) return usage;
  if (colon == std::string::npos) {  // a rig without a device: hamlib's dummy
    settings = {PttMethod::Cat, static_cast<int32_t>(model), "", 0};
    return "";
  }
  std::string device = rest.substr(colon + 1);
  long speed = 0;
  if (const auto last = device.rfind(':'); last != std::string::npos) {
    speed = wholeNumber(device.substr(last + 1));
    if (speed < 1) return usage;
    device.erase(last);
  }
  if (device.empty()) return usage;
  settings = {PttMethod::Cat, static_cast<int32_t>(model), device, static_cast<int32_t>(speed)};
  return "";
}

std::string parseRigctld(const std::string& rest, RadioSettings& settings) {
  const auto colon = rest.rfind(':');
  const long port = colon == std::string::npos ? -1 : wholeNumber(rest.substr(colon + 1));
  if (colon == 0 || port < 1 || port > 65535) return "--ptt rigctld:HOST:PORT (for example rigctld:localhost:4532)";
  settings = {PttMethod::Cat, quillary::kRigctldModel, rest, 0};
  return "";
}

}  // namespace

std::string parsePttOption(const std::string& value, RadioSettings& settings) {
  const auto colon = value.find(':');
  const std::string kind = value.substr(0, colon);
  const std::string rest = colon == std::string::npos ? "" : value.substr(colon + 1);
  if (value == "none") {
    settings = {PttMethod::Vox, 0, "", 0};
    return "";
  }
  if (kind == "serial" && !rest.empty()) {
    settings = {PttMethod::Serial, 0, rest, 0};
    return "";
  }
  if (kind == "hamlib") return parseHamlib(rest, settings);
  if (kind == "rigctld") return parseRigctld(rest, settings);
  return "--ptt takes none, serial:PATH, hamlib:MODEL:DEVICE[:SPEED] or rigctld:HOST:PORT, not \"" + value + "\"";
}

}  // namespace psktool

#include "link/ReceiveTuning.h"

#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "common/Numbers.h"
#include "modem/ModemLibrary.h"

namespace quillary {

std::optional<int32_t> modeCodeForName(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, int32_t>, 6> kCodes = {{
      {"BPSK31", kModeBpsk31},
      {"QPSK31", kModeQpsk31},
      {"BPSK63", kModeBpsk63},
      {"QPSK63", kModeQpsk63},
      {"BPSK125", kModeBpsk125},
      {"QPSK125", kModeQpsk125},
  }};
  for (const auto& [modeName, code] : kCodes) {
    if (modeName == name) return code;
  }
  return std::nullopt;
}

std::optional<int16_t> presetForText(std::string_view text) {
  if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  const int hz = std::stoi(std::string(text));
  if (hz < kLowestPresetHz || hz > kHighestPresetHz) return std::nullopt;
  return static_cast<int16_t>(hz);
}

std::optional<int32_t> numberInText(std::string_view text) {
  const std::optional<double> number = parseNumber(text);
  if (!number || !std::isfinite(*number)) return std::nullopt;
  const double rounded = roundHalfEven(*number);
  if (rounded < std::numeric_limits<int32_t>::min() ||
      rounded > std::numeric_limits<int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int32_t>(rounded);
}

int16_t squelchForScrollValue(int value) {
  return static_cast<int16_t>(99 - value);
}

}  // namespace quillary

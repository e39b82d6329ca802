#include "Arguments.h"

#include <charconv>
#include <cmath>

namespace psktool {

std::optional<double> parseNumber(const std::string& word) {
  double value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string parseMode(const std::optional<std::string>& name, quillary::psk::PskMode& mode) {
  const std::string modes = "(BPSK31, QPSK31, BPSK63, QPSK63, BPSK125 or QPSK125)";
  if (!name) return "--mode is missing " + modes;
  const auto found = quillary::psk::modeFromName(*name);
  if (!found) return "unknown mode \"" + *name + "\" " + modes;
  mode = *found;
  return "";
}

std::string parseSquelch(const std::string& value, int& squelch) {
  const auto level = parseNumber(value);
  if (!level || *level != std::floor(*level) || *level < 0 || *level > 99)
    return "--squelch must be a whole number from 0 to 99, not \"" + value + "\"";
  squelch = static_cast<int>(*level);
  return "";
}

}  // namespace psktool

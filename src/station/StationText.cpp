#include "station/StationText.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "window/RadioReading.h"

namespace quillary {
namespace {

std::string lower(std::string text) {
  std::ranges::transform(text, text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string keyingText(PttMethod method) {
  switch (method) {
    case PttMethod::Serial: return "PTT: RTS/DTR";
    case PttMethod::Cat: return "PTT: CAT";
    case PttMethod::Vox: return "PTT: VOX";
  }
  return "";
}

std::string rigText(const RadioStatus& status) {
  switch (status.rig) {
    case RadioStatus::Rig::None: return "";
    case RadioStatus::Rig::Connecting: return "CAT: connecting";
    case RadioStatus::Rig::Lost: return "CAT: no answer";
    case RadioStatus::Rig::Answering: return status.dialHz ? "" : "CAT: no dial reading";
  }
  return "";
}

// The dial with its mode (and without, for a narrow line), and the RF
// frequency of the receive marker where the mode maps audio to RF.
void dialLine(const RadioStatus& status, int32_t receiveHz, StationLine& line) {
  const RadioReading reading{status.dialHz, status.mode};
  const auto rf = rfFrequencyOf(reading, receiveHz);
  const std::string marker = rf ? "  RX " + dialText(*rf) : "";
  line.text = dialText(*status.dialHz) + " " + status.mode + marker;
  line.shortText = dialText(*status.dialHz) + marker;
}

}  // namespace

std::string dialText(int64_t hz) {
  const bool negative = hz < 0;
  std::string digits = std::to_string(negative ? -hz : hz);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ".");
  return negative ? "-" + digits : digits;
}

StationLine stationLine(const RadioStatus& status, PttMethod method, bool pttDropped, int32_t receiveHz) {
  StationLine line;
  line.text = rigText(status);
  if (status.rig == RadioStatus::Rig::Answering && status.dialHz) dialLine(status, receiveHz, line);
  if (line.text.empty()) line.text = keyingText(method);
  if (pttDropped) line.text = "PTT released: no answer";
  line.tooltip = line.text;
  if (line.shortText.empty() || pttDropped) line.shortText = line.text;
  if (!status.problem.empty()) line.tooltip += "\nLast problem: " + status.problem;
  if (!status.testOutcome.empty()) line.tooltip += "\nLast test: " + status.testOutcome;
  return line;
}

std::string rigModelItem(const RigModelEntry& entry) {
  return std::to_string(entry.number) + "  " + entry.maker + " " + entry.model;
}

bool rigModelMatches(const std::string& item, const std::string& search) {
  const std::string haystack = lower(item);
  std::istringstream words(lower(search));
  for (std::string word; words >> word;)
    if (haystack.find(word) == std::string::npos) return false;
  return true;
}

}  // namespace quillary

#include "Arguments.h"

#include <charconv>
#include <cmath>
#include <iostream>
#include <iterator>

namespace psktool {

std::string parseWords(const std::vector<std::string>& args, std::string& input,
                       const std::function<bool(const std::string& word)>& flag,
                       const std::function<std::string(const std::string& word, const std::string& value)>& option) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word.size() < 2 || word[0] != '-') {
      if (!input.empty()) return "more than one input file given";
      input = word;
      continue;
    }
    if (flag(word)) continue;
    if (i + 1 == args.size()) return "option " + word + " needs a value";
    if (std::string problem = option(word, args[++i]); !problem.empty()) return problem;
  }
  return "";
}

std::string parseFrequency(const std::string& option, const std::string& value, double& hz) {
  const auto number = parseNumber(value);
  if (!number || *number < 100 || *number > 3900)
    return option + " must be a frequency from 100 to 3900 Hz, not \"" + value + "\"";
  hz = *number;
  return "";
}

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

std::optional<std::string> textToSend(const std::optional<std::string>& argument, const char* command) {
  if (argument) return *argument;
  std::string text(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>{});
  if (std::cin.bad()) {
    std::cerr << "psktool " << command << ": could not read the text from standard input\n";
    return std::nullopt;
  }
  return text;
}

}  // namespace psktool

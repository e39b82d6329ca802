// psktool decode: a recording (WAV or any file libsndfile reads) through the
// engine's receiver; the decoded bytes go to standard output exactly as
// received, with no translation. A file at another rate than 8000 Hz is
// resampled; of several channels the first is decoded. With --afc the
// receiver follows the station within 500 Hz, as the terminal's AFC does.
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "Arguments.h"
#include "AudioFile.h"
#include "Command.h"
#include "psk/PskMode.h"
#include "psk/rx/Receiver.h"

namespace psktool {
namespace {

using quillary::psk::kSampleRate;

constexpr double kAfcLimitHz = 500.0;
constexpr double kFlushSeconds = 1.0;  // silence after the file, so the end comes out

struct DecodeOptions {
  quillary::psk::PskMode mode;
  double frequency = 1500;
  bool afc = false;
  int squelch = 0;
  std::string input;
};

// Fills `options` from the words; answers an error message, or "" when fine.
std::string parseDecodeArgs(const std::vector<std::string>& args, DecodeOptions& options) {
  std::optional<std::string> modeName;
  const auto flag = [&](const std::string& word) { return word == "--afc" && (options.afc = true); };
  const auto option = [&](const std::string& word, const std::string& value) -> std::string {
    if (word == "--mode") modeName = value;
    else if (word == "--freq") return parseFrequency(word, value, options.frequency);
    else if (word == "--squelch") return parseSquelch(value, options.squelch);
    else return "unknown option " + word;
    return "";
  };
  if (auto problem = parseWords(args, options.input, flag, option); !problem.empty()) return problem;
  if (auto problem = parseMode(modeName, options.mode); !problem.empty()) return problem;
  if (options.input.empty()) return "the input file is missing";
  return "";
}

// Receives 8000 Hz audio and writes the bytes as they come.
class DecodeSink {
 public:
  explicit DecodeSink(const DecodeOptions& options) {
    receiver_.setMode(options.mode.code);
    receiver_.setFrequency(options.frequency);
    receiver_.setAfcLimit(options.afc ? kAfcLimitHz : 0.0);
    receiver_.setSquelch(options.squelch);
  }
  // False when standard output refuses the bytes.
  bool feed(const std::vector<float>& samples) {
    decoded_.clear();
    receiver_.process(samples.size(), samples.data(), decoded_);
    if (decoded_.empty()) return true;
    return std::fwrite(decoded_.data(), 1, decoded_.size(), stdout) == decoded_.size();
  }

 private:
  quillary::psk::Receiver receiver_;
  std::vector<uint8_t> decoded_;
};

int runDecode(const std::vector<std::string>& args) {
  DecodeOptions options;
  if (const auto problem = parseDecodeArgs(args, options); !problem.empty()) {
    std::cerr << "psktool decode: " << problem << "\n";
    return 2;
  }
  DecodeSink sink(options);
  std::string problem = readAudioFile(options.input, [&](const std::vector<float>& samples) { return sink.feed(samples); });
  if (problem.empty() && !sink.feed(std::vector<float>(static_cast<std::size_t>(kFlushSeconds * kSampleRate), 0.0f)))
    problem = "cannot write the decoded text";
  if (std::fflush(stdout) != 0 && problem.empty()) problem = "cannot write the decoded text";
  if (!problem.empty()) {
    std::cerr << "psktool decode: " << options.input << ": " << problem << "\n";
    return 1;
  }
  return 0;
}

const RegisterCommand registerDecode(
    "decode", "decode --mode BPSK31 [--freq 1500] [--afc] [--squelch N] IN.wav  (decoded bytes to stdout)",
    runDecode);

}  // namespace
}  // namespace psktool

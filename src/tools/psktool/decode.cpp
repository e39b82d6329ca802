// psktool decode: a recording (WAV or any file libsndfile reads) through the
// engine's receiver; the decoded bytes go to standard output exactly as
// received, with no translation. A file at another rate than 8000 Hz is
// resampled; of several channels the first is decoded. With --afc the
// receiver follows the station within 500 Hz, as the terminal's AFC does.
#include <sndfile.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "Command.h"
#include "psk/PskMode.h"
#include "psk/dsp/Resampler.h"
#include "psk/rx/Receiver.h"

namespace psktool {
namespace {

using quillary::psk::kSampleRate;

constexpr double kAfcLimitHz = 500.0;
constexpr double kFlushSeconds = 1.0;  // silence after the file, so the end comes out
constexpr sf_count_t kFramesPerRead = 4096;
constexpr int kLowestFileRate = 4000;
constexpr int kHighestFileRate = 384000;

struct DecodeOptions {
  quillary::psk::PskMode mode;
  double frequency = 1500;
  bool afc = false;
  int squelch = 0;
  std::string input;
};

std::optional<double> parseDecimal(const std::string& word) {
  double value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

// Fills `options` from the words; answers an error message, or "" when fine.
std::string parseDecodeArgs(const std::vector<std::string>& args, DecodeOptions& options) {
  std::optional<std::string> modeName;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word.size() < 2 || word[0] != '-') {
      if (!options.input.empty()) return "more than one input file given";
      options.input = word;
      continue;
    }
    if (word == "--afc") {
      options.afc = true;
      continue;
    }
    if (i + 1 == args.size()) return "option " + word + " needs a value";
    const std::string& value = args[++i];
    if (word == "--mode") {
      modeName = value;
    } else if (word == "--freq") {
      const auto hz = parseDecimal(value);
      if (!hz || *hz < 100 || *hz > 3900) return "--freq must be a frequency from 100 to 3900 Hz, not \"" + value + "\"";
      options.frequency = *hz;
    } else if (word == "--squelch") {
      const auto level = parseDecimal(value);
      if (!level || *level != std::floor(*level) || *level < 0 || *level > 99)
        return "--squelch must be a whole number from 0 to 99, not \"" + value + "\"";
      options.squelch = static_cast<int>(*level);
    } else {
      return "unknown option " + word;
    }
  }
  if (!modeName) return "--mode is missing (BPSK31, QPSK31, BPSK63, QPSK63, BPSK125 or QPSK125)";
  const auto mode = quillary::psk::modeFromName(*modeName);
  if (!mode) return "unknown mode \"" + *modeName + "\" (BPSK31, QPSK31, BPSK63, QPSK63, BPSK125 or QPSK125)";
  options.mode = *mode;
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

// Answers "" or what went wrong.
std::string decodeFile(SNDFILE* file, const SF_INFO& info, DecodeSink& sink) {
  std::optional<quillary::psk::Resampler> resampler;
  if (info.samplerate != static_cast<int>(kSampleRate)) resampler.emplace(info.samplerate, kSampleRate);
  std::vector<float> frames(static_cast<std::size_t>(kFramesPerRead * info.channels));
  std::vector<float> mono, audio;
  const auto deliver = [&](const std::vector<float>& samples) {
    audio.clear();
    if (resampler) resampler->process(samples.size(), samples.data(), audio);
    return sink.feed(resampler ? audio : samples);
  };
  for (;;) {
    const sf_count_t got = sf_readf_float(file, frames.data(), kFramesPerRead);
    if (got <= 0) break;
    mono.resize(static_cast<std::size_t>(got));
    for (sf_count_t i = 0; i < got; ++i) mono[i] = frames[static_cast<std::size_t>(i * info.channels)];
    if (!deliver(mono)) return "cannot write the decoded text";
  }
  if (sf_error(file) != SF_ERR_NO_ERROR) return sf_strerror(file);
  if (resampler) {
    audio.clear();
    resampler->flush(audio);
    if (!sink.feed(audio)) return "cannot write the decoded text";
  }
  if (!sink.feed(std::vector<float>(static_cast<std::size_t>(kFlushSeconds * kSampleRate), 0.0f)))
    return "cannot write the decoded text";
  return "";
}

int runDecode(const std::vector<std::string>& args) {
  DecodeOptions options;
  if (const auto problem = parseDecodeArgs(args, options); !problem.empty()) {
    std::cerr << "psktool decode: " << problem << "\n";
    return 2;
  }
  SF_INFO info{};
  SNDFILE* file = sf_open(options.input.c_str(), SFM_READ, &info);
  if (!file) {
    std::cerr << "psktool decode: cannot read " << options.input << ": " << sf_strerror(nullptr) << "\n";
    return 1;
  }
  std::string problem;
  if (info.channels < 1 || info.samplerate < 1) problem = "no audio in the file";
  // A rate no sound card has is a broken header; converting from it would
  // build filters of millions of taps before reading a sample.
  else if (info.samplerate < kLowestFileRate || info.samplerate > kHighestFileRate)
    problem = "a sample rate of " + std::to_string(info.samplerate) + " Hz (only 4000 to 384000 Hz are read)";
  DecodeSink sink(options);
  if (problem.empty()) problem = decodeFile(file, info, sink);
  sf_close(file);
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

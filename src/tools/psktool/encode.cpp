// psktool encode: text to a WAV file through the engine's transmitter, so an
// operator can hear or check what would go on the air.
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "Arguments.h"
#include "Command.h"
#include "psk/PskMode.h"
#include "psk/dsp/Resampler.h"
#include "psk/tx/Transmitter.h"

namespace psktool {
namespace {

using quillary::psk::kSampleRate;

constexpr double kSilenceSeconds = 0.5;  // before and after the transmission
constexpr int kLowestRate = 8000;
constexpr int kHighestRate = 192000;

struct EncodeOptions {
  quillary::psk::PskMode mode;
  double frequency = 0;
  int rate = 8000;
  std::string cwId;
  std::string output;
  std::optional<std::string> text;  // from standard input when absent
};

// Fills `options` from the words; answers an error message, or "" when fine.
std::string parseEncodeArgs(const std::vector<std::string>& args, EncodeOptions& options) {
  std::optional<std::string> modeName, frequency;
  bool textOnly = false;  // after "--" every word is text
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    const bool isOption = !textOnly && word.size() > 1 && word[0] == '-';
    if (!isOption) {
      if (options.text) return "more than one text given; put the text in quotes";
      options.text = word;
      continue;
    }
    if (word == "--") {
      textOnly = true;
      continue;
    }
    if (i + 1 == args.size()) return "option " + word + " needs a value";
    const std::string& value = args[++i];
    if (word == "--mode") modeName = value;
    else if (word == "--freq") frequency = value;
    else if (word == "--rate") {
      const auto rate = parseNumber(value);
      if (!rate || *rate != std::floor(*rate) || *rate < kLowestRate || *rate > kHighestRate)
        return "--rate must be a whole number of hertz from 8000 to 192000, not \"" + value + "\"";
      options.rate = static_cast<int>(*rate);
    } else if (word == "--cwid") options.cwId = value;
    else if (word == "-o") options.output = value;
    else return "unknown option " + word;
  }
  if (auto problem = parseMode(modeName, options.mode); !problem.empty()) return problem;
  if (!frequency) return "--freq is missing";
  if (auto problem = parseFrequency("--freq", *frequency, options.frequency); !problem.empty()) return problem;
  if (options.output.empty()) return "-o OUT.wav is missing";
  return "";
}

// A mono 16-bit WAV file written under a temporary name and renamed into
// place only when complete, so a failed run never leaves half a file.
class WavWriter {
 public:
  WavWriter(const std::string& path, int rate) : path_(path) {
    temporary_ = path + ".tmp-" + std::to_string(::getpid());
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    file_ = sf_open(temporary_.c_str(), SFM_WRITE, &info);
    if (!file_) error_ = sf_strerror(nullptr);
  }
  ~WavWriter() {
    if (file_) sf_close(file_);
    if (!committed_) {
      std::error_code ignored;
      std::filesystem::remove(temporary_, ignored);
    }
  }
  WavWriter(const WavWriter&) = delete;
  WavWriter& operator=(const WavWriter&) = delete;

  bool write(const std::vector<float>& samples) {
    if (!file_ || samples.empty()) return file_ != nullptr;
    const auto count = static_cast<sf_count_t>(samples.size());
    if (sf_write_float(file_, samples.data(), count) != count) {
      error_ = sf_strerror(file_);
      return false;
    }
    return true;
  }
  bool commit() {
    if (!file_) return false;
    const int closed = sf_close(file_);
    file_ = nullptr;
    if (closed != 0) {
      error_ = "could not finish the file";
      return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary_, path_, error);
    if (error) {
      error_ = error.message();
      return false;
    }
    committed_ = true;
    return true;
  }
  const std::string& error() const { return error_; }

 private:
  std::string path_, temporary_, error_;
  SNDFILE* file_ = nullptr;
  bool committed_ = false;
};

// Takes 8000 Hz audio and writes it at the file's rate.
class RateStage {
 public:
  RateStage(int rate, WavWriter& writer) : writer_(writer) {
    if (rate != static_cast<int>(kSampleRate)) resampler_.emplace(kSampleRate, rate);
  }
  bool push(const std::vector<float>& samples) {
    if (!resampler_) return writer_.write(samples);
    converted_.clear();
    resampler_->process(samples.size(), samples.data(), converted_);
    return writer_.write(converted_);
  }
  bool finish() {
    if (!resampler_) return true;
    converted_.clear();
    resampler_->flush(converted_);
    return writer_.write(converted_);
  }

 private:
  WavWriter& writer_;
  std::optional<quillary::psk::Resampler> resampler_;
  std::vector<float> converted_;
};

bool writeTransmission(const EncodeOptions& options, const std::string& text, RateStage& stage) {
  quillary::psk::Transmitter tx;
  tx.setFrequency(options.frequency);
  tx.setCwId(options.cwId);
  tx.start(options.mode.code);
  tx.enqueue(text);
  tx.stop();
  const std::vector<float> silence(static_cast<std::size_t>(kSilenceSeconds * kSampleRate), 0.0f);
  if (!stage.push(silence)) return false;
  std::vector<float> block(1024);
  while (tx.on()) {
    tx.process(block.size(), block.data());
    if (!stage.push(block)) return false;
  }
  return stage.push(silence) && stage.finish();
}

int runEncode(const std::vector<std::string>& args) {
  EncodeOptions options;
  if (const std::string problem = parseEncodeArgs(args, options); !problem.empty()) {
    std::cerr << "psktool encode: " << problem << "\n";
    return 2;
  }
  const std::optional<std::string> text = textToSend(options.text, "encode");
  if (!text) return 1;
  WavWriter writer(options.output, options.rate);
  RateStage stage(options.rate, writer);
  if (!writeTransmission(options, *text, stage) || !writer.commit()) {
    std::cerr << "psktool encode: cannot write " << options.output << ": " << writer.error() << "\n";
    return 1;
  }
  return 0;
}

const RegisterCommand registerEncode(
    "encode", "encode --mode MODE --freq HZ [--rate HZ] [--cwid TEXT] -o OUT.wav [TEXT]  (text from stdin without TEXT)",
    runEncode);

}  // namespace
}  // namespace psktool

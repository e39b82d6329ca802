// The engine's receive chain (receiver, AFC, squelch, IMD, spectrum,
// vector, level) on adversarial audio: raw samples, silence, DC, clipped
// tones, NaN and infinity, full-scale square waves, a carrier sweeping
// through the passband, and retuning in between, in blocks of any size.
// Every value the window reads stays in its documented range, and a clean
// station after all that is still decoded.
#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "modem/ModemWindow.h"
#include "psk/PskEngine.h"
#include "psk/PskMode.h"
#include "psk/audio/PumpedAudio.h"
#include "psk/tx/Transmitter.h"

namespace psk = quillary::psk;

namespace {

constexpr int kModeCodes[] = {0, 1, 8, 9, 16, 17};
constexpr std::size_t kMaxSamples = 8000 * 8;
// The window reads the displays ten times a second.
constexpr std::size_t kReadEvery = 800;
constexpr double kStationHz = 1500;
constexpr const char* kStationText = "TEST";

class OneDevice : public psk::AudioBackendSource {
 public:
  std::unique_ptr<psk::AudioBackend> backendFor(int32_t device) override {
    return device == 0 ? audio.backend() : nullptr;
  }
  psk::PumpedAudio audio;
};

class Window : public quillary::ModemWindow {
 public:
  void post(int32_t message, int32_t wParam, int32_t) override {
    if (message == quillary::kMsgCharacter) text += static_cast<char>(wParam);
    // The hook sums twenty readings in 16 bits: a reading must be a real one.
    if (message == quillary::kMsgImdReading) FUZZ_CHECK(wParam >= -100 && wParam <= 100);
  }
  std::string text;
};

// A clean transmission of kStationText in `mode`, with a second of
// silence before it and after it.
const std::vector<float>& station(int modeIndex) {
  static std::vector<float> made[6];
  std::vector<float>& audio = made[modeIndex];
  if (!audio.empty()) return audio;
  psk::Transmitter tx;
  tx.setFrequency(kStationHz);
  tx.start(kModeCodes[modeIndex]);
  tx.enqueue(kStationText);
  tx.stop();
  audio.assign(8000, 0.0f);
  std::vector<float> block(256);
  while (tx.on() || audio.size() == 8000) {
    tx.process(block.size(), block.data());
    audio.insert(audio.end(), block.begin(), block.end());
  }
  audio.insert(audio.end(), 8000, 0.0f);
  return audio;
}

// Reads the fuzzer's bytes, 0 past the end.
class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool more() const { return at_ < size_; }
  uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }

 private:
  const uint8_t* data_;
  size_t size_, at_ = 0;
};

struct Tuning {
  int modeIndex = 0;
  int frequency = 1500;  // as last set (and taken)
  int pull = 0;          // the widest AFC limit since then: AFC turned off stays where it got to
};

class Run {
 public:
  Run() : engine_(device_) {}

  void start(Bytes& in) {
    FUZZ_CHECK(engine_.fnStartSoundCard(&window_, 0, 1) == 0);
    retune(in);
    engine_.fnSetSquelchThreshold(in.next() % 100, 0, 0);
    engine_.fnSetFFTMode(1 + in.next() % 10, 100, 1 + in.next() % 90);
  }

  void retune(Bytes& in) {
    tuning_.modeIndex = in.next() % 6;
    const int frequency = 100 + in.next() * 15;  // 100..3925: the last ones are refused
    const int afcLimit = (in.next() & 1) ? 500 : 0;
    engine_.fnSetRXPSKMode(kModeCodes[tuning_.modeIndex], 0);
    if (engine_.fnSetRXFrequency(frequency, 0, 0) == 0) {
      tuning_.frequency = frequency;
      tuning_.pull = 0;
    }
    engine_.fnSetAFCLimit(afcLimit, 0);
    tuning_.pull = std::max(tuning_.pull, afcLimit);
  }

  // One segment of audio, chosen and shaped by the next bytes.
  std::vector<float> segment(Bytes& in) {
    const uint8_t kind = in.next() % 8, a = in.next(), b = in.next(), c = in.next();
    const std::size_t length = 1 + a * 256u + b;
    std::vector<float> audio;
    switch (kind) {
      case 0:  // raw 16-bit samples
        for (std::size_t i = 0; i < a && in.more(); ++i)
          audio.push_back(static_cast<int16_t>(in.next() | in.next() << 8) / 32768.0f);
        break;
      case 1:  // silence
        audio.assign(length, 0.0f);
        break;
      case 2:  // DC, up to four times full scale
        audio.assign(length, static_cast<int8_t>(c) / 32.0f);
        break;
      case 3:  // a tone driven into hard clipping
        tone(audio, length, c * 15.0, 1.0 + b / 8.0, true);
        break;
      case 4:  // values no sound card gives: NaN, infinities, huge, denormal
        specials(audio, 1 + a, b);
        break;
      case 5:  // a full-scale square wave
        tone(audio, length, c * 15.0, 1.0, false);
        for (float& s : audio) s = s >= 0 ? 1.0f : -1.0f;
        break;
      case 6:  // a carrier sweeping through the passband
        sweep(audio, length, b * 15.0, c * 15.0);
        break;
      case 7:
        retune(in);
        break;
    }
    return audio;
  }

  // Pumps `audio` in blocks of the size the device chooses, checking what
  // the window would read as often as it reads it, and at the end.
  void play(const std::vector<float>& audio, std::size_t blockSize) {
    for (std::size_t done = 0; done < audio.size(); done += blockSize) {
      const std::size_t count = std::min(blockSize, audio.size() - done);
      device_.audio.pump(count, std::vector<float>(audio.begin() + done, audio.begin() + done + count));
      sinceRead_ += count;
      if (sinceRead_ >= kReadEvery) checkReadings();
    }
    checkReadings();
  }

  // After everything: a clean station on the receive frequency is read.
  void checkRecovery() {
    engine_.fnSetRXPSKMode(kModeCodes[tuning_.modeIndex], 0);
    engine_.fnSetRXFrequency(static_cast<int>(kStationHz), 0, 0);
    engine_.fnSetAFCLimit(0, 0);
    engine_.fnSetSquelchThreshold(0, 0, 0);
    tuning_.frequency = static_cast<int>(kStationHz);
    tuning_.pull = 0;
    window_.text.clear();
    play(station(tuning_.modeIndex), 256);
    FUZZ_CHECK(window_.text.find(kStationText) != std::string::npos);
  }

 private:
  void checkReadings() {
    sinceRead_ = 0;
    const int level = engine_.fnGetSignalLevel(0);
    FUZZ_CHECK(level >= 0 && level <= 100);
    int32_t points[quillary::kVectorValues];
    engine_.fnGetVectorData(points, 0);
    for (int32_t p : points) FUZZ_CHECK(p >= -1000 && p <= 1000);
    int32_t bins[quillary::kSpectrumBins];
    engine_.fnGetFFTData(bins, 0, quillary::kSpectrumBins - 1);
    for (int32_t bin : bins) FUZZ_CHECK(bin >= 0 && bin <= 100);
    const int peak = engine_.fnGetClosestPeak(500, 2500);
    FUZZ_CHECK(peak >= 500 && peak <= 2500);
    const int frequency = engine_.fnGetRXFrequency(0);
    FUZZ_CHECK(std::abs(frequency - tuning_.frequency) <= tuning_.pull + 1);
  }

  static void tone(std::vector<float>& audio, std::size_t length, double hz, double amplitude, bool clip) {
    for (std::size_t i = 0; i < length; ++i) {
      const double s = amplitude * std::sin(2 * std::numbers::pi * hz * i / psk::kSampleRate);
      audio.push_back(static_cast<float>(clip ? std::clamp(s, -1.0, 1.0) : s));
    }
  }

  static void sweep(std::vector<float>& audio, std::size_t length, double fromHz, double toHz) {
    double phase = 0;
    for (std::size_t i = 0; i < length; ++i) {
      phase += 2 * std::numbers::pi * (fromHz + (toHz - fromHz) * i / length) / psk::kSampleRate;
      audio.push_back(static_cast<float>(std::sin(phase)));
    }
  }

  static void specials(std::vector<float>& audio, std::size_t length, uint8_t pattern) {
    const float values[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(), 1e30f, -1e30f,
                            std::numeric_limits<float>::denorm_min(), 0.5f, 0.0f};
    for (std::size_t i = 0; i < length; ++i) audio.push_back(values[(pattern >> (i % 3)) % 8]);
  }

  OneDevice device_;
  psk::PskEngine engine_;
  Window window_;
  Tuning tuning_;
  std::size_t sinceRead_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in(data, size);
  Run run;
  run.start(in);
  std::size_t played = 0;
  while (in.more() && played < kMaxSamples) {
    const std::size_t blockSize = 1 + in.next() * 16u;
    const std::vector<float> audio = run.segment(in);
    run.play(audio, blockSize);
    played += audio.size();
  }
  run.checkRecovery();
  return 0;
}

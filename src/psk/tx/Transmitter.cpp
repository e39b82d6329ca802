#include "psk/tx/Transmitter.h"

#include <algorithm>
#include <complex>
#include <optional>
#include <utility>
#include <vector>

#include "psk/PskMode.h"
#include "psk/dsp/Nco.h"
#include "psk/tx/MorseKeyer.h"
#include "psk/tx/SymbolMapper.h"
#include "psk/tx/SymbolShaper.h"
#include "psk/tx/TxBitStream.h"

namespace quillary::psk {
namespace {

// Peak output; the shaped baseband never exceeds magnitude 1.
constexpr float kAmplitude = 0.8f;
constexpr double kDefaultFrequency = 1500.0;
constexpr double kLowestFrequency = 100.0;
constexpr double kHighestFrequency = 3900.0;
// The tune carrier is built of segments this long; its fades take half of one.
constexpr int kTuneSegment = 256;

enum class Phase { Off, Tune, TuneEnding, Preamble, Data, Postamble, CwId };

}  // namespace

struct Transmitter::State {
  Nco nco;
  SymbolShaper shaper;
  SymbolMapper mapper;
  MorseKeyer keyer;
  TxBitStream bits;
  std::string cwId;
  PskMode mode;
  Phase phase = Phase::Off;
  int symbolsLeft = 0;     // of the preamble or postamble
  bool firstSymbol = false;
  bool stopRequested = false;
  bool onPending = false;   // keyed, turnedOn not yet reported
  bool onReported = false;  // turnedOn went out, turnedOff not yet
  bool offPending = false;  // aborted: turnedOff goes out with the next block
  std::optional<int> restartCode;  // start() while a transmission was ending
  bool restartStop = false;        // ... followed by stop()
  std::vector<std::complex<float>> segment;  // baseband of the current symbol
  std::size_t segmentPosition = 0;
  std::vector<float> envelope;  // of the Morse keyer

  State() { nco.setFrequency(kDefaultFrequency); }

  void begin(int code);
  bool renderSegment();
  void renderSymbol(int bit);
  void beginPostamble();
  bool renderTune();
  bool renderCwId();
  void applyGain(float (*gain)(int, int));
  bool nextSegmentReady();
  void modulate(std::size_t count, float* out);
  void stop();
  void beginRestart();
  void end();
};

void Transmitter::State::begin(int code) {
  nco.reset(0.0);  // the carrier starts at phase 0
  stopRequested = false;
  onPending = true;
  segment.clear();
  segmentPosition = 0;
  firstSymbol = true;
  if (code == kTuneCode) {
    phase = Phase::Tune;
    return;
  }
  mode = *modeFromCode(code);
  shaper.setSamplesPerSymbol(mode.samplesPerSymbol);
  mapper.setQpsk(mode.qpsk);
  // The first preamble bit (a reversal) lands on phase 0 and, having no
  // symbol before it, is sent as a steady vector faded in.
  mapper.reset(2);
  shaper.reset(SymbolMapper::vectorOf(0));
  phase = Phase::Preamble;
  symbolsLeft = mode.preambleSymbols;
}

void Transmitter::State::renderSymbol(int bit) {
  const std::complex<float> vector = mapper.push(bit);
  segment.resize(static_cast<std::size_t>(mode.samplesPerSymbol));
  shaper.process(1, &vector, segment.data());
}

void Transmitter::State::applyGain(float (*gain)(int, int)) {
  const int length = static_cast<int>(segment.size());
  for (int n = 0; n < length; ++n) segment[n] *= gain(n, length);
}

void Transmitter::State::beginPostamble() {
  phase = Phase::Postamble;
  symbolsLeft = mode.preambleSymbols;
}

bool Transmitter::State::renderSegment() {
  segmentPosition = 0;
  switch (phase) {
    case Phase::Preamble:
      renderSymbol(0);
      if (firstSymbol) applyGain(fadeInGain);
      firstSymbol = false;
      if (--symbolsLeft == 0) phase = Phase::Data;
      return true;
    case Phase::Data:
      if (!(stopRequested && bits.idle())) {
        renderSymbol(bits.nextBit());
        return true;
      }
      beginPostamble();
      [[fallthrough]];
    case Phase::Postamble:
      // BPSK ends on steady carrier (1 bits); QPSK sends 0 bits, which
      // flush the encoder and then reverse.
      renderSymbol(mode.qpsk ? 0 : 1);
      if (--symbolsLeft == 0) {
        applyGain(fadeOutGain);
        keyer.load(cwId);
        phase = Phase::CwId;
      }
      return true;
    case Phase::CwId:
      return renderCwId();
    case Phase::Tune:
    case Phase::TuneEnding:
      return renderTune();
    case Phase::Off:
      break;
  }
  return false;
}

bool Transmitter::State::renderTune() {
  if (phase == Phase::TuneEnding && symbolsLeft == 0) return false;
  segment.assign(kTuneSegment, {1.0f, 0.0f});
  if (firstSymbol) applyGain(fadeInGain);
  firstSymbol = false;
  if (phase == Phase::TuneEnding) {
    applyGain(fadeOutGain);
    symbolsLeft = 0;
  }
  return true;
}

bool Transmitter::State::renderCwId() {
  envelope.resize(256);
  const std::size_t written = keyer.process(envelope.size(), envelope.data());
  if (written == 0) return false;
  segment.resize(written);
  for (std::size_t i = 0; i < written; ++i) segment[i] = {envelope[i], 0.0f};
  return true;
}

bool Transmitter::State::nextSegmentReady() {
  if (segmentPosition < segment.size()) return true;
  if (renderSegment()) return true;
  end();
  return false;
}

void Transmitter::State::modulate(std::size_t count, float* out) {
  for (std::size_t i = 0; i < count; ++i) {
    // Audio = I cos(wt) - Q sin(wt): the phase of the audio is that of the vector.
    const std::complex<double> carrier = nco.next();
    const std::complex<float> base = segment[segmentPosition + i];
    out[i] = kAmplitude * static_cast<float>(base.real() * carrier.real() - base.imag() * carrier.imag());
  }
  segmentPosition += count;
}

void Transmitter::State::beginRestart() {
  if (!restartCode) return;
  const int code = *restartCode;
  const bool stopAfter = restartStop;
  restartCode.reset();
  restartStop = false;
  begin(code);
  if (stopAfter) stop();
}

void Transmitter::State::stop() {
  if (restartCode) {
    restartStop = true;  // for the transmission that follows this one
    return;
  }
  if (phase == Phase::Off) return;
  stopRequested = true;
  if (phase == Phase::Tune) {
    // A tune carrier ends with a short fade and no identification.
    phase = Phase::TuneEnding;
    symbolsLeft = 1;
  }
}

void Transmitter::State::end() {
  phase = Phase::Off;
  onPending = false;
  stopRequested = false;
  segment.clear();
  segmentPosition = 0;
}

Transmitter::Transmitter() : state_(std::make_unique<State>()) {}
Transmitter::~Transmitter() = default;
Transmitter::Transmitter(Transmitter&&) noexcept = default;
Transmitter& Transmitter::operator=(Transmitter&&) noexcept = default;

bool Transmitter::setFrequency(double hz) {
  if (!(hz >= kLowestFrequency && hz <= kHighestFrequency)) return false;
  return state_->nco.setFrequency(hz);
}

double Transmitter::frequency() const { return state_->nco.frequency(); }

void Transmitter::setCwId(std::string text) { state_->cwId = std::move(text); }

bool Transmitter::start(int modeCode) {
  if (modeCode != kTuneCode && !modeFromCode(modeCode)) return false;
  State& s = *state_;
  switch (s.phase) {
    case Phase::Off:
      s.begin(modeCode);
      return true;
    case Phase::Preamble:
    case Phase::Data:
      s.stopRequested = false;  // more to send: keep going
      return true;
    case Phase::Tune:
      return true;
    case Phase::TuneEnding:
    case Phase::Postamble:
    case Phase::CwId:
      s.restartCode = modeCode;  // keyed again as soon as this one has ended
      return true;
  }
  return true;
}

void Transmitter::enqueue(std::string bytes) { state_->bits.enqueue(std::move(bytes)); }

void Transmitter::clearQueue() { state_->bits.clearQueue(); }

void Transmitter::stop() { state_->stop(); }

void Transmitter::abort() {
  State& s = *state_;
  s.bits.reset();
  s.restartCode.reset();
  s.restartStop = false;
  s.offPending = s.onReported;
  s.end();
}

std::size_t Transmitter::charsRemaining() const { return state_->bits.queued(); }

bool Transmitter::on() const { return state_->phase != Phase::Off; }

Transmitter::Events Transmitter::process(std::size_t count, float* out) {
  State& s = *state_;
  Events events;
  if (s.offPending) {
    // An abort: this block is silent and says so; a new start waits a block.
    s.offPending = false;
    s.onReported = false;
    events.turnedOff = true;
    std::fill(out, out + count, 0.0f);
    return events;
  }
  if (count == 0) return events;
  if (s.onPending) {
    s.onPending = false;
    s.onReported = true;
    events.turnedOn = true;
  }
  std::size_t done = 0;
  while (done < count && s.phase != Phase::Off) {
    if (!s.nextSegmentReady()) break;
    const std::size_t take = std::min(count - done, s.segment.size() - s.segmentPosition);
    s.modulate(take, out + done);
    done += take;
  }
  // A transmission whose last sample went out in this block ends in it.
  if (s.phase != Phase::Off) s.nextSegmentReady();
  if (s.phase == Phase::Off && s.onReported) {
    s.onReported = false;
    events.turnedOff = true;
    s.beginRestart();  // keyed from the next block on
  }
  std::fill(out + done, out + count, 0.0f);
  return events;
}

}  // namespace quillary::psk

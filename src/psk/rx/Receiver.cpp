#include "psk/rx/Receiver.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <utility>

#include "psk/PskMode.h"
#include "psk/Varicode.h"
#include "psk/dsp/DecimatingFir.h"
#include "psk/dsp/FirDesign.h"
#include "psk/dsp/Mixer.h"
#include "psk/rx/Afc.h"
#include "psk/rx/BpskDetector.h"
#include "psk/rx/BpskSmoother.h"
#include "psk/rx/ImdMeter.h"
#include "psk/rx/QpskViterbi.h"
#include "psk/rx/SignalQuality.h"
#include "psk/rx/SymbolSync.h"

namespace quillary::psk {

namespace {
using Complex = std::complex<float>;

constexpr int kSamplesPerSymbolAfterDecimation = 16;
// The low-pass before decimation to 16 samples per symbol passes +-6 baud
// flat: the signal, its third-order IMD products, and for the AFC's search
// every station within its capture range with room to see each one whole.
// Its stop band begins by 9.5 baud, so what lies beyond folds back no
// nearer than 6.5 baud.
constexpr double kWideCutoffBaud = 7.75;
constexpr double kWideLengthSymbols = 1.75;
// The matched filter: a raised-cosine pulse. For BPSK the symbol's own
// two-symbol shape, which gathers all of its energy and lets each symbol
// leak a sixth into its neighbours (the BPSK detector expects that). For
// QPSK, whose decoder expects no leak, 1.5 symbols: about a dB more
// sensitive than one symbol, while a longer one turns each symbol by what
// the neighbours leak in more than it gains.
constexpr int kBpskMatchedLength = 32;
constexpr int kQpskMatchedLength = 24;
// About five constraint lengths, and shorter than the 32 zero bits that end
// a QPSK transmission at the slowest rate, so the last character comes out
// while the carrier is still there.
constexpr int kViterbiDepth = 24;
// The BPSK detector decides this many symbols late (it settles within a
// few), once the symbol after has come in; its decisions are read again
// once those this many symbols after them are in, and decided a few
// symbols later still, and those decisions are read once more alike (see
// bpskSymbol()). Each bit is judged by the squelch then (see remember()):
// the whole latency stays short of the 32 zero bits that end a
// transmission.
constexpr int kBpskDelay = 4;
constexpr int kBpskSide = 8;
constexpr int kBpskSmootherDelay = 2;
constexpr int kBpskLatency = kBpskDelay + 1 + 2 * (kBpskSide + kBpskSmootherDelay);
static_assert(kBpskLatency + 2 < 32);
constexpr int kLongestLatency = std::max(kBpskLatency, kViterbiDepth);
constexpr double kPowerSmoothing = 0.05;
// A symbol far weaker than the recent peak (a carrier fading in or out, the
// silence before and after a transmission) carries no usable phase.
constexpr double kWeakSymbol = 0.05;
// One a thousand times weaker is next to no carrier at all, even in a fade.
constexpr double kFaintSymbol = 0.001;
constexpr double kPeakDecay = 0.9;
constexpr double kRecentSmoothing = 0.25;
// Each weak symbol cuts the signal quality by this factor: when a station
// stops, the squelch closes within a few symbols instead of printing the
// noise that follows.
constexpr double kWeakFade = 0.7;
// A symbol this far above the smoothed power belongs to a carrier that has
// just appeared; it and the next few carry no usable phase while the symbol
// timing is still finding the carrier (they are its preamble anyway).
constexpr double kRisingSymbol = 8.0;
constexpr int kSettlingSymbols = 4;
// Clean idle for the IMD meter: reversals whose phase change stands within
// a quarter of the constellation's step (an eighth of a turn for BPSK, a
// sixteenth for QPSK) of a reversal. A run of them long enough for the
// meter's window is no chance of the noise, and it is seen from the
// second symbol of a transmission's preamble on; the meter finds a station
// a little off tune by itself, and judges the noise around it.
constexpr double kMinFrequency = 100.0;
constexpr double kMaxFrequency = 3900.0;
// A frequency set this close to the one the receiver is on is the same.
constexpr double kSameFrequencyHz = 1.0;
constexpr std::size_t kVectorPoints = 8;

}  // namespace

struct Receiver::State {
  PskMode mode = *modeFromCode(0);
  double setHz = 1500.0;  // the frequency last set; AFC stays within the limit of it
  double afcLimit = 0.0;
  int squelch = 0;

  Mixer mixer;
  DecimatingFir decimator;
  DecimatingFir matched;
  SymbolSync sync;
  Afc afc;
  ImdMeter imd;
  SignalQuality quality;
  QpskViterbi viterbi;
  BpskDetector bpsk;
  BpskSmoother smoother, secondSmoother;
  VaricodeReader varicode;

  std::vector<Complex> mixed, wide, narrow, symbols, slopes;
  Complex previous{};
  double power = 0;  // smoothed symbol power, the scale of the vector points
  double peak = 0;   // fast-rising, slowly falling symbol power
  double previousPower = 0;
  double recentPower = 0;  // over the last few symbols
  int settling = 0;  // symbols still to pass before a new carrier's phases count
  // Squelch state per symbol, delayed like the decisions (a ring of delay +
  // 1), so each bit is judged by the quality at the time it was received.
  std::array<bool, kLongestLatency + 1> openHistory{};
  std::size_t openSlots = kBpskLatency + 1;
  std::size_t symbolCount = 0;
  bool characterSpoiled = true;  // a bit of the current character came in squelched
  int lastBit = 0;
  std::array<Complex, kVectorPoints> latest{};  // newest differential phasors, a ring
  std::size_t latestNext = 0;

  void build();
  void processBlock(std::size_t count, const float* in, std::vector<uint8_t>& decoded);
  struct Symbol {
    Complex sample;     // the matched filter's output at the symbol
    Complex slope;      // ... and its slope there
    Complex change;     // the phase change from the previous symbol
    bool weak = false;  // too faint, or too sudden, to carry a phase
    bool faint = false;  // ... and far fainter still: next to no carrier
    bool noCarrier = false;  // over the last few symbols
    bool open = false;  // the squelch let it through
    bool muted = false;  // the AFC moved onto a station
  };
  Symbol measure(Complex y);
  void bpskSymbol(const Symbol& symbol, std::vector<uint8_t>& decoded);
  static bool cleanReversal(const Symbol& symbol, int order);
  void qpskSymbol(const Symbol& symbol, std::vector<uint8_t>& decoded);
  bool remember(const Symbol& symbol);
  void steer(double phaseError);
  void tune(double hz, bool ontoStation);
  void deliver(int bit, bool open, std::vector<uint8_t>& decoded);
};

void Receiver::State::build() {
  const int decimation = mode.samplesPerSymbol / kSamplesPerSymbolAfterDecimation;
  const double rate = kSampleRate / decimation;
  mixer.create(kSampleRate, setHz);
  decimator.create(lowpassTaps(static_cast<int>(kWideLengthSymbols * mode.samplesPerSymbol) | 1,
                               kWideCutoffBaud * mode.baud() / kSampleRate),
                   decimation);
  matched.create(hannPulse(mode.qpsk ? kQpskMatchedLength : kBpskMatchedLength), 1);
  sync.create(kSamplesPerSymbolAfterDecimation);
  afc.create(mode, kSamplesPerSymbolAfterDecimation);
  imd.create(rate, kSamplesPerSymbolAfterDecimation);
  quality.create(mode.qpsk ? 4 : 2);
  viterbi.create(kViterbiDepth);
  bpsk.create(kBpskDelay);
  smoother.create(kBpskSide, kBpskSmootherDelay, kSamplesPerSymbolAfterDecimation);
  secondSmoother.create(kBpskSide, kBpskSmootherDelay, kSamplesPerSymbolAfterDecimation);
  varicode.reset();
  previous = {};
  power = 0;
  peak = 0;
  previousPower = recentPower = 0;
  settling = 0;
  latest.fill({});
  latestNext = 0;
  openHistory.fill(false);
  openSlots = static_cast<std::size_t>(mode.qpsk ? kViterbiDepth : kBpskLatency) + 1;
  symbolCount = 0;
  characterSpoiled = true;
  lastBit = 0;
}

void Receiver::State::processBlock(std::size_t count, const float* in,
                                   std::vector<uint8_t>& decoded) {
  mixed.resize(count);
  mixer.process(count, in, mixed.data());
  wide.clear();
  decimator.process(count, mixed.data(), wide);
  if (afcLimit > 0) {
    const double now = mixer.frequency();
    const double lowest = std::max(kMinFrequency, setHz - afcLimit) - now;
    const double highest = std::min(kMaxFrequency, setHz + afcLimit) - now;
    if (const double hz = afc.afterBlock(wide.data(), wide.size(), count, lowest, highest); hz != 0.0) tune(hz, true);
  }
  imd.process(wide.size(), wide.data());
  narrow.clear();
  matched.process(wide.size(), wide.data(), narrow);
  symbols.clear();
  slopes.clear();
  // Only the BPSK decoder reads the slope.
  sync.process(narrow.size(), narrow.data(), symbols, mode.qpsk ? nullptr : &slopes);
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    Symbol symbol = measure(symbols[i]);
    if (!mode.qpsk) symbol.slope = slopes[i];
    if (mode.qpsk) qpskSymbol(symbol, decoded);
    else bpskSymbol(symbol, decoded);
  }
}

Receiver::State::Symbol Receiver::State::measure(Complex y) {
  Symbol symbol;
  symbol.sample = y;
  symbol.change = y * std::conj(previous);
  previous = y;
  const double now = std::norm(y);
  if (now > kRisingSymbol * power) settling = kSettlingSymbols;
  const bool rising = settling > 0;
  if (settling > 0) --settling;
  const bool muted = afcLimit > 0 && afc.muteSymbol();
  power += kPowerSmoothing * (now - power);
  peak = std::max(now, peak * kPeakDecay);
  symbol.weak = muted || rising || std::min(now, previousPower) < kWeakSymbol * peak;
  symbol.faint = muted || rising || std::min(now, previousPower) < kFaintSymbol * peak;
  previousPower = now;
  // A single symbol can be faint in noise while the carrier is there; the
  // detector, which weighs each symbol by what it holds, is told only of a
  // carrier that has faded over several.
  recentPower += kRecentSmoothing * (now - recentPower);
  symbol.noCarrier = muted || rising || recentPower < kWeakSymbol * peak;
  latest[latestNext] = symbol.change;
  latestNext = (latestNext + 1) % latest.size();
  if (symbol.weak) quality.fade(kWeakFade);
  else quality.process(1, &symbol.change);
  symbol.muted = muted;
  symbol.open = !muted && quality.value() >= squelch;
  return symbol;
}

void Receiver::State::bpskSymbol(const Symbol& symbol, std::vector<uint8_t>& decoded) {
  imd.symbol(cleanReversal(symbol, 2));
  const bool openThen = remember(symbol);
  const auto decision = bpsk.push(symbol.sample, symbol.noCarrier, symbol.slope);
  // The AFC moving onto a station: what the smoothers learned was of the
  // search, not the station (the second, reading the first's guesses over
  // the noise of the search, would carry them into the station's first
  // symbols).
  if (symbol.muted) {
    smoother.reset();
    secondSmoother.reset();
  }
  // The smoother reads the detector's decisions again against the symbols
  // on both sides, and a second smoother reads the first's once more: its
  // references and channel fits rest on signs with far fewer errors where
  // two paths cancel or a fade turns the phase than the detector's. (Through
  // poor fading at 63 and 125 baud this second reading copies 0.3 to 0.8
  // points better; a third would take the latency past the end of a
  // transmission.)
  const auto first = decision ? smoother.push(*decision) : std::nullopt;
  const auto smoothed = first ? secondSmoother.push(*first) : std::nullopt;
  // The AFC steers by the carrier's turn the detector follows: over many
  // symbols, far steadier than the turn of each phase change, which at a
  // low signal-to-noise ratio would shake the receive frequency by a good
  // part of a hertz, more than a coherent detector can follow.
  if (!symbol.weak) steer(bpsk.turnPerSymbol());
  if (smoothed) deliver(smoothed->bit, openThen && symbol.open, decoded);
}

bool Receiver::State::cleanReversal(const Symbol& symbol, int order) {
  return !symbol.weak && std::abs(std::arg(-symbol.change)) < std::numbers::pi / (2 * order);
}

// Keeps the squelch state of this symbol and answers that of the symbol
// whose decision comes out now. A decision counts as received open only
// when the squelch is open now as well: a transmission ends with 32 or more
// symbols of carrier or zero bits, so its last character is out before the
// carrier drops, and the noise just after the carrier (which the decoder
// can turn into a stray character) is out only after the squelch has
// closed. The AFC moving onto a station spoils every decision still on its
// way out: what came before was the search, not the station.
bool Receiver::State::remember(const Symbol& symbol) {
  if (symbol.muted) openHistory.fill(false);
  openHistory[symbolCount % openSlots] = symbol.open;
  ++symbolCount;
  return openHistory[symbolCount % openSlots];
}

void Receiver::State::qpskSymbol(const Symbol& symbol, std::vector<uint8_t>& decoded) {
  // A symbol without a carrier, or next to none (the last of a
  // transmission, fading out into silence), gives the decoder no
  // information. One that is merely weak, as in a fade, counts for what it
  // holds: the decoder weighs it by the strength of its path's reference.
  const float weight = power > 0 && !symbol.noCarrier && !symbol.faint ? static_cast<float>(1.0 / power) : 0.0f;
  // The AFC steers by how far the phase change stands off the nearest of
  // the four ideal ones, each a whole quarter turn.
  if (!symbol.weak) steer(std::remainder(std::arg(symbol.change), std::numbers::pi / 2));
  imd.symbol(cleanReversal(symbol, 4));
  const bool openThen = remember(symbol);
  if (auto bit = viterbi.process(symbol.sample, weight)) deliver(*bit, openThen && symbol.open, decoded);
}

void Receiver::State::steer(double phaseError) {
  if (afcLimit <= 0) return;
  // The AFC must see a station off tune as a station: it judges by the
  // coherence, which a common turn of the phase changes does not lower.
  const double step = afc.steer(phaseError, quality.coherence());
  if (step == 0.0) return;
  const double low = std::max(kMinFrequency, setHz - afcLimit);
  const double high = std::min(kMaxFrequency, setHz + afcLimit);
  tune(std::clamp(mixer.frequency() + step, low, high) - mixer.frequency(), false);
}

// Moves the receive frequency by `hz`; what turns with it learns so.
void Receiver::State::tune(double hz, bool ontoStation) {
  mixer.setFrequency(mixer.frequency() + hz);
  afc.moved(hz, ontoStation);
  bpsk.moved(2 * std::numbers::pi * hz / mode.baud());
}

void Receiver::State::deliver(int bit, bool open, std::vector<uint8_t>& decoded) {
  // A character is shown only when every one of its bits came in with the
  // squelch open: noise just before a signal never completes a character.
  if (!open) characterSpoiled = true;
  const auto byte = varicode.push(bit);
  if (byte && !characterSpoiled) decoded.push_back(*byte);
  if (bit == 0 && lastBit == 0) characterSpoiled = !open;  // a gap: the next character starts afresh
  lastBit = bit;
}

Receiver::Receiver() : state_(std::make_unique<State>()) { state_->build(); }
Receiver::~Receiver() = default;
Receiver::Receiver(Receiver&&) noexcept = default;
Receiver& Receiver::operator=(Receiver&&) noexcept = default;

bool Receiver::setMode(int modeCode) {
  const auto mode = modeFromCode(modeCode);
  if (!mode) return false;
  // A new mode keeps the frequency the AFC has followed the station to.
  const double hz = state_->mixer.frequency();
  state_->mode = *mode;
  state_->build();
  state_->mixer.setFrequency(hz);
  return true;
}

bool Receiver::setFrequency(double hz) {
  if (!(hz >= kMinFrequency && hz <= kMaxFrequency)) return false;
  state_->setHz = hz;
  // The terminal writes the frequency the AFC reports back as whole hertz.
  // That is no retune: the AFC keeps its finer frequency and the station it
  // holds, and only the centre of its limit moves.
  if (std::abs(hz - state_->mixer.frequency()) < kSameFrequencyHz) return true;
  state_->mixer.setFrequency(hz);
  state_->afc.reset();
  return true;
}

double Receiver::frequency() const { return state_->mixer.frequency(); }

void Receiver::setAfcLimit(double hz) {
  // A negative or unusable limit turns AFC off, like 0.
  const bool wasOn = state_->afcLimit > 0;
  state_->afcLimit = std::isfinite(hz) && hz > 0 ? hz : 0.0;
  if (state_->afcLimit == 0.0) state_->mixer.setFrequency(state_->setHz);
  else if (!wasOn) state_->afc.reset();
}

bool Receiver::setSquelch(int threshold) {
  if (threshold < 0 || threshold > 99) return false;
  state_->squelch = threshold;
  return true;
}

void Receiver::process(std::size_t count, const float* in, std::vector<uint8_t>& decoded) {
  // Small blocks, so an AFC step reaches the mixer within a fraction of a symbol.
  const std::size_t block = static_cast<std::size_t>(state_->mode.samplesPerSymbol / 4);
  for (std::size_t done = 0; done < count; done += block)
    state_->processBlock(std::min(block, count - done), in + done, decoded);
}

int Receiver::signalQuality() const { return state_->quality.value(); }

std::array<int32_t, 16> Receiver::vectorPoints() const {
  std::array<int32_t, 16> points{};
  const auto& s = *state_;
  const double scale = s.power > 0 ? 1000.0 / s.power : 0.0;
  for (std::size_t k = 0; k < kVectorPoints; ++k) {
    // Oldest first, so the last pair is the newest symbol.
    const Complex d = s.latest[(s.latestNext + k) % kVectorPoints];
    points[2 * k] = static_cast<int32_t>(std::lround(std::clamp(d.real() * scale, -1000.0, 1000.0)));
    points[2 * k + 1] =
        static_cast<int32_t>(std::lround(std::clamp(d.imag() * scale, -1000.0, 1000.0)));
  }
  return points;
}

std::optional<int> Receiver::takeImdReading() { return state_->imd.take(); }

}  // namespace quillary::psk

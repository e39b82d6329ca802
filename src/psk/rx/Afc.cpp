#include "psk/rx/Afc.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace quillary::psk {

namespace {
// It finds a station up to this far off (at least three baud either side,
// with room for the search's error). Once on a station, only a station
// within half a baud is its own.
constexpr double kCaptureBaud = 4.5;
constexpr double kNearBaud = 0.5;
// Moves smaller than this are left to the fine steering.
constexpr double kSmallestMoveBaud = 0.02;
// The fine steering reaches baud / 2m (m = 2 for BPSK, 4 for QPSK). A
// station within this part of its range is centred: the receiver is on it
// once it has stood there for a tenth of a second. One farther off it moves
// onto, by as much as the search is sure of (to this many standard
// deviations). The search sees the centre of the station's power, which
// for QPSK sending text is not quite its carrier (the code turns the phase
// one way more often than the other: some 0.07 baud with English); the
// fine steering finds the carrier itself, and once on the station the
// receiver moves again only when the search sees it this far beyond the
// fine range for half a second (the steering has lost it, or locked a
// quarter baud off).
constexpr double kCentred = 0.75;
constexpr double kCentredSeconds = 0.1;
constexpr double kSureDeviations = 3.0;
constexpr double kLost = 1.2;
constexpr double kLostSeconds = 0.5;
// The search averages about a second at every rate: through fading the
// centre of a station's power wanders with the path's response (at
// 125 baud on a path of two delays 2 ms apart one tone of an idle may
// stand 15 dB over the other for a good part of a second, and a search of
// a quarter second sent the receiver half a baud off the station it was
// in tune with).
constexpr double kAverageSeconds = 1.024;
// The matched filter and the symbol timing take this long to forget a move.
constexpr int kSettlingSymbols = 3;
// BPSK steers by the turn the detector's carrier loop follows, which is
// steady enough for a quicker correction than each symbol's own phase
// error (QPSK's) allows: a station drifting a hertz a second is followed
// within a third of a hertz.
constexpr double kBpskSteeringGain = 0.1;
}  // namespace

bool Afc::create(const PskMode& mode, int samplesPerSymbol) {
  baud_ = mode.baud();
  const bool made = mode.qpsk ? tracker_.create(baud_, 4) : tracker_.create(baud_, 2, kBpskSteeringGain);
  const int averageFrames = std::max(StationSearch::kShortFrames, static_cast<int>(std::lround(kAverageSeconds * baud_ / 2)));
  if (!made || !search_.create(samplesPerSymbol, kCaptureBaud, averageFrames)) return false;
  reset();
  return true;
}

void Afc::reset() {
  search_.reset();
  onStation_ = steering_ = steeredSinceFound_ = false;
  centredSamples_ = lostSamples_ = 0;
  settlingSymbols_ = 0;
}

// Once on a station it stays, also through its pauses and after it has
// signed (its reply comes back there, not on a neighbour): it moves again
// only to a station surely off centre and within half a baud, its own.
double Afc::afterBlock(const std::complex<float>* wide, std::size_t count, std::size_t inputSamples,
                       double lowest, double highest) {
  search_.process(count, wide);
  const std::optional<StationSearch::Sighting> station = search_.nearest();
  if (!station || (onStation_ && std::abs(station->baud) > kNearBaud)) {
    centredSamples_ = lostSamples_ = 0;
    return 0.0;
  }
  const double offset = std::abs(station->baud);
  // Centred: well within reach of the fine steering (before the receiver is
  // on the station), or not surely beyond it (once it is).
  const bool centred = offset <= (onStation_ ? kLost * fineRange() + 2 * station->uncertainty : kCentred * fineRange());
  // Before the receiver is on the station any move it is sure of is taken
  // (the first, made early, may leave a little); once on it, only a miss.
  // A small move waits for the search's figures to settle or stand firm:
  // a wrong one would leave QPSK beyond the fine steering's reach.
  const bool sure = offset > kSureDeviations * station->uncertainty && offset > kSmallestMoveBaud &&
                    (!centred || !onStation_) && (offset > kNearBaud || search_.settled() || search_.firm());
  // On the station, a miss must last: the search's figure swings as the
  // station goes from text to idle and off.
  lostSamples_ = onStation_ && sure ? lostSamples_ + inputSamples : 0;
  if (sure && (!onStation_ || lostSamples_ >= kLostSeconds * kSampleRate)) {
    // A station beyond the limit is out of reach: the receiver stays.
    const double hz = station->baud * baud_;
    return hz >= lowest && hz <= highest ? hz : 0.0;
  }
  centredSamples_ = centred ? centredSamples_ + inputSamples : 0;
  if (centredSamples_ >= kCentredSeconds * kSampleRate) onStation_ = true;
  return 0.0;
}

void Afc::moved(double hz, bool ontoStation) {
  search_.moved(hz / baud_);
  if (!ontoStation) return;
  search_.freshen();
  tracker_.restart();
  steeredSinceFound_ = true;
  centredSamples_ = lostSamples_ = 0;
  // A move the detector could not have followed upsets the symbols in the
  // filters; a small one does not.
  if (std::abs(hz / baud_) > fineRange()) settlingSymbols_ = kSettlingSymbols;
}

// While it sees its station surely farther off than the detector can
// follow, and for the few symbols the filters take to forget the move onto
// it, the symbols are the station's skirt or its switching: nothing of
// them may print, whatever the squelch.
bool Afc::muteSymbol() {
  if (settlingSymbols_ > 0) {
    --settlingSymbols_;
    return true;
  }
  if (onStation_) return false;
  const std::optional<StationSearch::Sighting> station = search_.candidate();
  return station && std::abs(station->baud) > 2 * fineRange() &&
         std::abs(station->baud) > kSureDeviations * station->uncertainty;
}

// Steering waits until the search sees a station centred (or surely within
// reach), and stops while it sees none where the steering can follow: with
// no station the frequency holds where it was set, however strong the
// neighbours, and one that has drifted beyond the limit is not chased.
bool Afc::stationNear() const {
  const std::optional<StationSearch::Sighting> station = search_.nearest();
  if (!station) return false;
  const double offset = std::abs(station->baud);
  if (onStation_) return offset <= kLost * fineRange();
  return offset <= kCentred * fineRange() || offset + 2 * station->uncertainty <= fineRange();
}

double Afc::steer(double phaseError, int coherence) {
  if (!stationNear()) {
    steering_ = false;
    return 0.0;
  }
  // Steering that begins on a station just found pulls harder at first (it
  // may be off by most of the fine range). Steering that resumes after the
  // search lost sight of the station for a moment, as it does in the
  // noise, does not: the station is where it was, and each hard pull would
  // shake the receive frequency for a second.
  if (!steering_ && !steeredSinceFound_) tracker_.restart();
  steering_ = steeredSinceFound_ = true;
  // The steering moves the frequency under the search's average: its older
  // frames must not outweigh the new.
  search_.freshen();
  return tracker_.correction(phaseError, coherence);
}

}  // namespace quillary::psk

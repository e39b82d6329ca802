#pragma once
// The AFC's decisions, on the wide baseband of the receiver it steers:
// finding its station (StationSearch sees any within 4.5 baud, by its
// shape), moving onto it by as much as the search is sure of, steering
// finely once it is centred (FrequencyTracker), and then staying with it
// through its pauses, its end and any stronger neighbour. The receiver
// owns the frequency: the AFC answers the moves it wants, the receiver
// makes them within its limit and says so (moved()).
#include <complex>
#include <cstddef>

#include "psk/PskMode.h"
#include "psk/rx/FrequencyTracker.h"
#include "psk/rx/StationSearch.h"

namespace quillary::psk {

class Afc {
 public:
  // For the receiver's wide stream of `mode` at `samplesPerSymbol`.
  bool create(const PskMode& mode, int samplesPerSymbol);
  // A retune (or AFC turned on): it looks for its station afresh.
  void reset();

  // Each block of the wide baseband (`count` samples for `inputSamples` of
  // the receiver's input): the move onto a station it wants, in Hz (0 for
  // none), given how far the receiver may move down (`lowest`, <= 0) and up.
  double afterBlock(const std::complex<float>* wide, std::size_t count, std::size_t inputSamples, double lowest,
                    double highest);
  // Once per symbol: true while it must read as nothing (the station is
  // surely out of the detector's reach, or a move has just upset the
  // filters).
  bool muteSymbol();
  // Once per decided symbol: its phase error (radians; for BPSK the turn
  // per symbol the detector's carrier loop follows) and the signal
  // coherence 0..100; answers the fine step it wants, in Hz (0 while no
  // station is where the steering can follow).
  double steer(double phaseError, int coherence);
  // The receiver moved by `hz`: after afterBlock's move (`ontoStation`) or
  // a fine step.
  void moved(double hz, bool ontoStation);

 private:
  double fineRange() const { return tracker_.rangeBaud(); }
  bool stationNear() const;

  double baud_ = 31.25;
  StationSearch search_;
  FrequencyTracker tracker_;
  bool onStation_ = false;            // found since the last retune
  bool steering_ = false;             // the fine steering was at work at the last symbol
  bool steeredSinceFound_ = false;    // ... at any symbol since the last retune or move onto a station
  std::size_t centredSamples_ = 0;    // the station has stood centred, while not yet on it
  std::size_t lostSamples_ = 0;       // ... or surely beyond the fine range, while on it
  int settlingSymbols_ = 0;           // still to pass after a move the detector could not follow
};

}  // namespace quillary::psk

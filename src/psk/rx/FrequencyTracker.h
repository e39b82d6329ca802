#pragma once
// The AFC's frequency error, in two ranges:
// - coarse: how fast the baseband turns (RotationEstimator), averaged over a
//   quarter second. It sees a carrier several baud away, where the
//   differential detector would lock on a false point a whole step of the
//   constellation off.
// - fine: the phase error of each decided symbol, precise but only
//   unambiguous within baud / (2 m), m = 2 for BPSK and 4 for QPSK.
// It answers a correction in Hz per symbol; the receiver applies it within
// the AFC limit.
//
// Two states. Acquiring (after a reset): the coarse estimate of the wide
// band (+-3 baud) pulls in whatever carrier is there, the fine one finishes.
// Tracking (once a coherent signal has stood centred for a tenth of a
// second): the
// coarse estimate comes from the matched-filter output instead, which holds
// only the station itself, so a stronger neighbour two baud away cannot pull
// the receiver off it, while a station that comes back from the next over a
// little off still is.
#include <complex>
#include <cstddef>

#include "psk/rx/RotationEstimator.h"

namespace quillary::psk {

class FrequencyTracker {
 public:
  // `order` 2 (BPSK) or 4 (QPSK). False, and no change, for bad values.
  bool create(double sampleRate, int samplesPerSymbol, int order);
  void reset();
  // Baseband samples at `sampleRate`: wide (before the matched filter) and
  // narrow (after it).
  void processWide(std::size_t count, const std::complex<float>* wide);
  void processNarrow(std::size_t count, const std::complex<float>* narrow);
  // Once per decided symbol: its phase error (radians) and the signal
  // coherence 0..100. Answers the frequency step to take, in Hz.
  double correction(double phaseError, int coherence);
  // The receive frequency was moved by `hz`.
  void moved(double hz);
  // The coarse estimate in use, in Hz (for tests and diagnostics).
  double coarseHz() const;
  bool tracking() const { return tracking_; }

 private:
  // `engage`: the fraction of the fine range beyond which the coarse
  // estimate takes over.
  double steer(double coarse, bool carrier, double engage, double phaseError, int coherence);
  double fineStep(double phaseError) const;

  double baud_ = 31.25;
  int order_ = 2;
  RotationEstimator wide_, narrow_;
  double carrierThreshold_ = 0.5;  // wide correlation above which a carrier is there
  int persistence_ = 3;            // symbols the coarse estimate must stand beyond the fine range
  bool tracking_ = false;
  bool pulling_ = false;           // the coarse estimate steers
  int outside_ = 0;                // symbols it has stood beyond the fine range
  int settled_ = 0;                // symbols the acquired carrier has stood near zero
};

}  // namespace quillary::psk

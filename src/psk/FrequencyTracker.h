#pragma once
// The AFC's frequency error, in two ranges:
// - coarse: the rotation between baseband samples three steps apart, averaged
//   over a few symbols on the wide (unmatched) signal. Data modulation mostly
//   cancels out of it, so it sees a carrier several baud away, where the
//   differential detector would lock on a false point a whole baud off.
// - fine: the phase error of each decided symbol, precise but only
//   unambiguous within a fraction of the baud.
// It answers a correction in Hz per symbol; the receiver applies it within
// the AFC limit.
//
// Two states. Acquiring (after a reset, and when a new carrier shows up
// while none is held): the coarse estimate pulls in whatever carrier is
// there, the fine one finishes. Tracking (once the coarse estimate has
// stood near zero with a coherent signal for a tenth of a second): only the
// station's own decided symbols steer, so a stronger neighbour in the wide
// band cannot pull the receiver off the station it holds.
#include <array>
#include <complex>
#include <cstddef>

namespace quillary::psk {

class FrequencyTracker {
 public:
  // `order` 2 (BPSK) or 4 (QPSK). False, and no change, for bad values.
  bool create(double sampleRate, int samplesPerSymbol, int order);
  void reset();
  // Wide baseband samples at `sampleRate`.
  void process(std::size_t count, const std::complex<float>* wide);
  // Once per decided symbol: its phase error (radians) and the signal
  // quality 0..100. Answers the frequency step to take, in Hz.
  double correction(double phaseError, int quality);
  // The receive frequency was moved by `hz`.
  void moved(double hz);
  // The latest coarse estimate in Hz (for tests and diagnostics).
  double coarseHz() const;
  bool tracking() const { return tracking_; }

 private:
  double acquire(double phaseError, int quality);
  double track(double phaseError, int quality);
  double fineStep(double phaseError) const;
  void startAcquiring();

  double sampleRate_ = 500;
  double baud_ = 31.25;
  int samplesPerSymbol_ = 16;
  int order_ = 2;
  double smoothing_ = 1.0 / 64;
  std::array<std::complex<double>, 3> history_{};  // the last three samples, a ring
  std::size_t next_ = 0;
  std::complex<double> rotation_{};       // smoothed r[n] * conj(r[n-3])
  double power_ = 0;                      // smoothed |r[n]|^2
  bool pulling_ = false;                  // the coarse estimate steers
  int outside_ = 0;                       // symbols it has stood beyond the fine range
  int persistence_ = 8;                   // symbols it must stand there before it steers
  double carrierThreshold_ = 0.5;         // |rotation| / power above which a carrier is there
  double recentPower_ = 0;                // |r[n]|^2 over about one symbol
  bool tracking_ = false;
  int settled_ = 0;                       // symbols the acquired carrier has stood near zero
  int lostFor_ = 0;                       // symbols the tracked station has been gone
};

}  // namespace quillary::psk

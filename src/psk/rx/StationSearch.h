#pragma once
// Where the AFC finds its station: an averaged spectrum of the wide
// baseband (16 samples per symbol, +-6 baud clean), in bins of a quarter
// baud, searched for stations (StationFinder). It answers the station
// nearest the receive frequency within the capture range, in baud. A
// station's centre comes from its whole shape, never from a phase, so a
// station several baud off is seen where it is, not aliased to the other
// side; and one whose peak lies outside the capture range is not seen at
// all, however strong.
#include <complex>
#include <cstddef>
#include <optional>
#include <vector>

#include "psk/dsp/ComplexFft.h"

namespace quillary::psk {

class StationSearch {
 public:
  // Samples per symbol of the stream (>= 8; its middle 3/4 clean); the
  // capture range in baud either side (0.5 .. 3/8 samplesPerSymbol - 1:
  // 5 at 16 samples per symbol); how many frames (one every two symbols)
  // the average weighs at most (kShortFrames .. 1024). False, and no
  // change, for bad values.
  bool create(int samplesPerSymbol, double captureBaud, int averageFrames = kShortFrames);
  static constexpr int kShortFrames = 16;
  // Starts the average again (after the receive frequency has moved).
  void reset();
  void process(std::size_t count, const std::complex<float>* wide);
  // The receive frequency moved by `baud`: what the average holds moves
  // the other way, so the search goes on without starting again.
  void moved(double baud);
  // After a move made on the search's own figure: what the average held
  // was seen with whatever error that figure had, so the frames to come
  // weigh more.
  void freshen();
  struct Sighting {
    double baud = 0;         // from the centre (positive: above)
    double uncertainty = 0;  // one standard deviation of it, in baud
  };
  // The station nearest the centre within the capture range, once it has
  // stood at the same place for a few frames; nullopt while none does.
  std::optional<Sighting> nearest() const { return nearest_; }
  // The nearest station of the latest frame alone, not yet confirmed.
  std::optional<Sighting> candidate() const { return candidate_; }
  // False for the first frames after a reset, while the average is too
  // young to tell anything.
  bool ready() const { return frames_ >= kMinFrames; }
  // True once the average holds as many frames as it ever weighs: its
  // figures are as good as they get.
  bool settled() const { return frames_ >= averageFrames_; }
  // True while the nearest station has stood still to a fiftieth of a baud
  // for a few frames (more, in proportion, for a longer average, which
  // moves less from frame to frame): its figure is as good as settled (a
  // strong station, after its switching on).
  bool firm() const { return firmFrames_ * kShortFrames >= kFirmFrames * averageFrames_; }

 private:
  static constexpr int kMinFrames = 4;
  static constexpr int kFirmFrames = 4;

  void frame();
  std::optional<Sighting> nearestNow() const;

  int samplesPerSymbol_ = 16;
  double captureBaud_ = 4;
  int averageFrames_ = kShortFrames;
  ComplexFft fft_;
  std::vector<float> window_;
  std::vector<std::complex<float>> ring_;  // the latest frame's samples
  std::size_t next_ = 0;
  std::size_t sinceFrame_ = 0;
  std::vector<double> average_;  // power per bin, lowest frequency first
  std::vector<double> latest_;   // the same, of the latest frame alone
  int frames_ = 0;
  std::optional<Sighting> candidate_;  // the nearest station of the latest frame
  int steadyFrames_ = 0;              // frames it has stood where it is
  int firmFrames_ = 0;                // ... to a fiftieth of a baud
  std::optional<Sighting> nearest_;
};

}  // namespace quillary::psk

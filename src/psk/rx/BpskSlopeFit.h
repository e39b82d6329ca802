#pragma once
// The channel of a BPSK signal as a pulse and its slope, read from the
// matched filter's sample at each symbol and the sample's slope there.
//
// Where the signal comes by two paths a fraction of a symbol apart and
// the two nearly cancel at the carrier, what is left of each symbol is
// not gone: it is the difference of two pulses a little apart, a pulse's
// slope. The sample at the symbol's instant holds little of it; the
// slope of the filter's output there holds it all. So the received pulse
// is taken as c0 p + c1 p' (p the symbol's pulse, p' its slope, which also
// stands for a small error of the symbol timing), and the two complex
// gains are fitted by least squares to the decided symbols around the one
// read, both readings of each at once, their neighbours' shares in each
// known from the pulse. Two unknowns fitted from two readings a symbol
// hold their noise far better than free shares of each neighbour.
//
// The fit is chosen, as the other readings are, where it foretells the
// symbols better than the single path's reading does (its gain with no
// slope), but only where the slope it finds stands out clearly from the
// fit's own noise, and once the carrier has been there long enough for
// the fit to be of this signal.
#include <array>
#include <complex>
#include <cstddef>
#include <optional>

#include "psk/rx/BpskTapFit.h"

namespace quillary::psk {

// A symbol's two readings: the matched filter's sample at its instant and
// the slope there (half the difference of the samples either side).
struct BpskReadings {
  std::complex<double> sample, slope;
};

// What a symbol before, at and after the one read (by index) gives in its
// two readings, sent as the pulse (`pulse...`) or as the pulse's slope
// (`slope...`); and how much more a squared miss in the slope weighs than
// one in the sample (its noise is that much weaker).
struct BpskSlopeResponses {
  std::array<double, 3> pulseInSample{}, pulseInSlope{}, slopeInSample{}, slopeInSlope{};
  double slopeWeight = 1;
};

// For the two-symbol raised-cosine pulse and its matched filter at
// `samplesPerSymbol` (4..64); nullopt otherwise.
std::optional<BpskSlopeResponses> bpskSlopeResponses(int samplesPerSymbol);

// The channel's two gains: the received pulse is pulse p + slope p'.
struct BpskChannelShape {
  std::complex<double> pulse, slope;
};

// The readings the signs (before, at, after) give through `shape`.
BpskReadings bpskExpectedReadings(const BpskSlopeResponses& responses, const BpskChannelShape& shape,
                                  const BpskSigns& signs);

// The sums of a weighted least-squares fit of the shape to readings.
struct BpskSlopeSums {
  double pulsePulse = 0, pulseSlope = 0, slopeSlope = 0;
  std::complex<double> pulseMoment, slopeMoment;
  double weights = 0, squaredWeights = 0;  // summed, for the fit's own noise
  void add(const BpskSlopeResponses& responses, double weight, const BpskSigns& signs, const BpskReadings& readings);
  void fade(double keep);
};

// The shape that fits best (with no slope where the sums cannot tell the
// slope from the pulse). Zeros where nothing has been fitted.
BpskChannelShape bpskFitShape(const BpskSlopeSums& sums);

class BpskSlopeChoice {
 public:
  void reset();
  // The shape to read the symbol with, or none: keep to the single path's
  // reading, whose gain for the symbol (what it expects of a lone + in the
  // sample) is `singlePathGain`. The symbol's readings and decided signs
  // then tell each how well it foretold them.
  std::optional<BpskChannelShape> choose(const BpskSlopeResponses& responses, const BpskSlopeSums& sums,
                                         std::complex<double> singlePathGain, const BpskSigns& signs,
                                         const BpskReadings& readings, bool carrier);

 private:
  double slopeStandsOut(const BpskSlopeSums& sums, const BpskChannelShape& fit) const;

  // Smoothed: the misses of the fit and of the single path's reading (both
  // readings), the fit's miss in the sample, and how far its slope stands
  // out of its noise.
  double fitMiss_ = 0, singlePathMiss_ = 0, sampleMiss_ = 0, standsOut_ = 0;
  int run_ = 0;  // symbols with a carrier since the last without
  bool chosen_ = false;
};

// The log-likelihood of `readings` where `expected` are expected, in noise
// of unit power in the sample and `slopeWeight` times less in the slope
// (the terms alike for every branch left out).
double bpskReadingsLikelihood(double slopeWeight, const BpskReadings& readings, const BpskReadings& expected);

}  // namespace quillary::psk

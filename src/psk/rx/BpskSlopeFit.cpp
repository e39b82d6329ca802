#include "psk/rx/BpskSlopeFit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "psk/dsp/FirDesign.h"
#include "psk/rx/BpskReference.h"

namespace quillary::psk {

namespace {
// As for the neighbours' shares (BpskTapFit): the fit is chosen only
// where it foretells the symbols this much better than the single path's
// reading, and once the carrier has been there this many symbols without
// a break.
constexpr double kSlopeAdvantage = 0.05;
constexpr int kSettledRun = 32;
// How far the slope must stand out of the fit's noise. Measured over six
// texts: 2 to 3 on a single path (flat fading; the figure is rough), 5 to
// 30 through moderate and poor fading at 63 and 125 baud; at 31 baud 3 to
// 6, where the paths' delay is too small a part of the symbol for the
// slope to be worth its noise (with a bar of 2.5, BPSK31 through flat
// fading at +3 dB copies 2.9% instead of 2.8%, at 8 BPSK125 through
// moderate fading at +3 dB 3.25% instead of 3.1%).
constexpr double kStandsOut = 4.0;
// The least share of the slope's readings that the pulse's do not also
// explain, for a fit to tell them apart.
constexpr double kTellsApart = 0.01;

// The matched filter's output for `pulse` alone, centred: index `centre`
// is where the symbol's own pulse peaks.
std::vector<double> filtered(const std::vector<double>& pulse, const std::vector<float>& matched) {
  std::vector<double> out(pulse.size() + matched.size() - 1, 0.0);
  for (std::size_t i = 0; i < pulse.size(); ++i)
    for (std::size_t k = 0; k < matched.size(); ++k) out[i + k] += pulse[i] * matched[k];
  return out;
}

double slopeOf(const std::vector<double>& v, std::size_t at) { return (v[at + 1] - v[at - 1]) / 2; }
}  // namespace

std::optional<BpskSlopeResponses> bpskSlopeResponses(int samplesPerSymbol) {
  if (samplesPerSymbol < 4 || samplesPerSymbol > 64) return std::nullopt;
  const std::vector<float> matched = hannPulse(2 * samplesPerSymbol);
  std::vector<double> pulse(matched.size() + 2, 0.0), slope(matched.size() + 2, 0.0);
  for (std::size_t i = 0; i < matched.size(); ++i) pulse[i + 1] = matched[i];
  for (std::size_t i = 1; i + 1 < pulse.size(); ++i) slope[i] = (pulse[i + 1] - pulse[i - 1]) / 2;
  const auto fromPulse = filtered(pulse, matched), fromSlope = filtered(slope, matched);
  const std::size_t centre = fromPulse.size() / 2;
  const auto step = static_cast<std::size_t>(samplesPerSymbol);
  BpskSlopeResponses r;
  for (std::size_t j = 0; j < 3; ++j) {
    // The symbol before peaks a symbol earlier: at this instant it is a
    // symbol past its peak.
    const std::size_t at = centre + step - j * step;
    r.pulseInSample[j] = fromPulse[at];
    r.pulseInSlope[j] = slopeOf(fromPulse, at);
    r.slopeInSample[j] = fromSlope[at];
    r.slopeInSlope[j] = slopeOf(fromSlope, at);
  }
  // White noise through the filter: its slope holds less of it.
  double inSample = 0, inSlope = 0;
  for (std::size_t i = 0; i < matched.size(); ++i) {
    inSample += matched[i] * matched[i];
    const double before = i > 0 ? matched[i - 1] : 0.0, after = i + 1 < matched.size() ? matched[i + 1] : 0.0;
    inSlope += (after - before) * (after - before) / 4;
  }
  r.slopeWeight = inSample / inSlope;
  return r;
}

namespace {
struct Regressors {
  double pulseInSample = 0, slopeInSample = 0, pulseInSlope = 0, slopeInSlope = 0;
};

Regressors regressorsFor(const BpskSlopeResponses& r, const BpskSigns& signs) {
  Regressors x;
  for (std::size_t j = 0; j < 3; ++j) {
    x.pulseInSample += signs[j] * r.pulseInSample[j];
    x.slopeInSample += signs[j] * r.slopeInSample[j];
    x.pulseInSlope += signs[j] * r.pulseInSlope[j];
    x.slopeInSlope += signs[j] * r.slopeInSlope[j];
  }
  return x;
}
}  // namespace

BpskReadings bpskExpectedReadings(const BpskSlopeResponses& responses, const BpskChannelShape& shape,
                                  const BpskSigns& signs) {
  const Regressors x = regressorsFor(responses, signs);
  return {shape.pulse * x.pulseInSample + shape.slope * x.slopeInSample,
          shape.pulse * x.pulseInSlope + shape.slope * x.slopeInSlope};
}

void BpskSlopeSums::add(const BpskSlopeResponses& responses, double weight, const BpskSigns& signs,
                        const BpskReadings& readings) {
  const Regressors x = regressorsFor(responses, signs);
  const double w = weight, v = weight * responses.slopeWeight;
  pulsePulse += w * x.pulseInSample * x.pulseInSample + v * x.pulseInSlope * x.pulseInSlope;
  pulseSlope += w * x.pulseInSample * x.slopeInSample + v * x.pulseInSlope * x.slopeInSlope;
  slopeSlope += w * x.slopeInSample * x.slopeInSample + v * x.slopeInSlope * x.slopeInSlope;
  pulseMoment += w * x.pulseInSample * readings.sample + v * x.pulseInSlope * readings.slope;
  slopeMoment += w * x.slopeInSample * readings.sample + v * x.slopeInSlope * readings.slope;
  weights += weight;
  squaredWeights += weight * weight;
}

void BpskSlopeSums::fade(double keep) {
  pulsePulse *= keep;
  pulseSlope *= keep;
  slopeSlope *= keep;
  pulseMoment *= keep;
  slopeMoment *= keep;
  weights *= keep;
  squaredWeights *= keep * keep;
}

// Where the symbols so far cannot tell the slope from the pulse (a few
// symbols, or a run of one pattern of signs), a fit with the slope would
// follow the noise: the slope is left out.
BpskChannelShape bpskFitShape(const BpskSlopeSums& s) {
  const double det = s.pulsePulse * s.slopeSlope - s.pulseSlope * s.pulseSlope;
  if (!(det > kTellsApart * s.pulsePulse * s.slopeSlope))
    return s.pulsePulse > 0 ? BpskChannelShape{s.pulseMoment / s.pulsePulse, {}} : BpskChannelShape{};
  return {(s.slopeSlope * s.pulseMoment - s.pulseSlope * s.slopeMoment) / det,
          (s.pulsePulse * s.slopeMoment - s.pulseSlope * s.pulseMoment) / det};
}

void BpskSlopeChoice::reset() {
  fitMiss_ = singlePathMiss_ = sampleMiss_ = standsOut_ = 0;
  run_ = 0;
  chosen_ = false;
}

// The fit and the single path's reading learn how well they foretold the
// symbol, and the fit how far its slope stands out of its noise; the next
// symbol is read with the fit where it foretells better by the advantage
// and its slope stands out clearly. (On a single path the fit foretells
// better too, by its slope following a gain that turns within the symbol
// and the timing's wander, but reads worse: its gain holds more noise
// than the single path's.)
std::optional<BpskChannelShape> BpskSlopeChoice::choose(const BpskSlopeResponses& responses,
                                                        const BpskSlopeSums& sums,
                                                        std::complex<double> singlePathGain,
                                                        const BpskSigns& signs, const BpskReadings& readings,
                                                        bool carrier) {
  const BpskChannelShape fit = bpskFitShape(sums);
  const bool used = chosen_;
  run_ = carrier ? run_ + 1 : 0;
  // The fits of the first symbols of a carrier are of a few symbols, or of
  // what came before: their misses would outweigh all that follow.
  if (run_ < kSettledRun) return std::nullopt;
  const BpskReadings expected = bpskExpectedReadings(responses, fit, signs);
  const double sampleMiss = std::norm(readings.sample - expected.sample);
  const double fitMiss = sampleMiss + responses.slopeWeight * std::norm(readings.slope - expected.slope);
  const BpskReadings single =
      bpskExpectedReadings(responses, {singlePathGain / responses.pulseInSample[1], {}}, signs);
  const double singlePathMiss = std::norm(readings.sample - single.sample) +
                                responses.slopeWeight * std::norm(readings.slope - single.slope);
  fitMiss_ += kBpskMissSmoothing * (fitMiss - fitMiss_);
  singlePathMiss_ += kBpskMissSmoothing * (singlePathMiss - singlePathMiss_);
  sampleMiss_ += kBpskMissSmoothing * (sampleMiss - sampleMiss_);
  standsOut_ += kBpskMissSmoothing * (slopeStandsOut(sums, fit) - standsOut_);
  chosen_ = fitMiss_ * (1 + kSlopeAdvantage) < singlePathMiss_ && standsOut_ > kStandsOut;
  return used ? std::optional(fit) : std::nullopt;
}

// The power the fitted slope explains beyond the pulse, against what the
// fit's noise alone would put there: the sample's miss, through the
// weights the fit is made of.
double BpskSlopeChoice::slopeStandsOut(const BpskSlopeSums& sums, const BpskChannelShape& fit) const {
  if (!(sums.pulsePulse > 0 && sums.weights > 0)) return 0.0;
  const double apart = sums.slopeSlope - sums.pulseSlope * sums.pulseSlope / sums.pulsePulse;
  const double noise = sampleMiss_ * sums.squaredWeights / sums.weights;
  return noise > 0 ? std::norm(fit.slope) * apart / noise : 0.0;
}

double bpskReadingsLikelihood(double slopeWeight, const BpskReadings& readings, const BpskReadings& expected) {
  const auto part = [](std::complex<double> y, std::complex<double> e) {
    return (y * std::conj(e)).real() - 0.5 * std::norm(e);
  };
  return part(readings.sample, expected.sample) + slopeWeight * part(readings.slope, expected.slope);
}

}  // namespace quillary::psk

// Where two paths nearly cancel at the carrier, a BPSK symbol is left in
// the slope of the matched filter's output; the channel fitted as a pulse
// and its slope reads it, and is chosen only where it shows.
#include <gtest/gtest.h>

#include <complex>
#include <random>
#include <vector>

#include "psk/dsp/FirDesign.h"
#include "psk/rx/BpskSlopeFit.h"

namespace quillary::psk::test {
namespace {

using Complex = std::complex<double>;
constexpr int kSamplesPerSymbol = 16;

struct Heard {
  std::vector<BpskSigns> signs;
  std::vector<BpskReadings> readings;
};

// Random symbols as two-symbol raised-cosine pulses by a path `first` and
// one `delay` samples later, white noise of `noise` per sample added, read
// through the matched filter at the first path's instants.
Heard heard(Complex first, Complex second, int delay, double noise, int symbols, unsigned seed) {
  const std::vector<float> pulse = hannPulse(2 * kSamplesPerSymbol);
  std::mt19937 random(seed);
  std::bernoulli_distribution coin(0.5);
  std::normal_distribution<double> gauss(0.0, noise);
  std::vector<double> signs(static_cast<std::size_t>(symbols));
  for (double& s : signs) s = coin(random) ? 1.0 : -1.0;
  std::vector<Complex> stream(static_cast<std::size_t>((symbols + 3) * kSamplesPerSymbol), Complex{});
  for (int k = 0; k < symbols; ++k)
    for (std::size_t i = 0; i < pulse.size(); ++i) {
      const std::size_t at = static_cast<std::size_t>(k * kSamplesPerSymbol) + i;
      stream[at] += signs[k] * first * static_cast<double>(pulse[i]);
      stream[at + static_cast<std::size_t>(delay)] += signs[k] * second * static_cast<double>(pulse[i]);
    }
  for (Complex& x : stream) x += Complex(gauss(random), gauss(random));
  std::vector<Complex> filtered(stream.size(), Complex{});
  for (std::size_t n = pulse.size(); n < stream.size(); ++n)
    for (std::size_t i = 0; i < pulse.size(); ++i) filtered[n] += static_cast<double>(pulse[i]) * stream[n - i];
  Heard out;
  for (int k = 1; k + 1 < symbols; ++k) {
    const std::size_t at = static_cast<std::size_t>(k * kSamplesPerSymbol) + pulse.size() - 1;
    out.signs.push_back({signs[k - 1], signs[k], signs[k + 1]});
    out.readings.push_back({filtered[at], (filtered[at + 1] - filtered[at - 1]) / 2.0});
  }
  return out;
}

// The best fit with no slope.
BpskChannelShape pulseOnly(const BpskSlopeSums& sums) {
  return sums.pulsePulse > 0 ? BpskChannelShape{sums.pulseMoment / sums.pulsePulse, {}} : BpskChannelShape{};
}

// The miss of `shape` over the readings, as a share of their power.
double relativeMiss(const BpskSlopeResponses& responses, const BpskChannelShape& shape, const Heard& h) {
  double miss = 0, power = 0;
  for (std::size_t k = 0; k < h.readings.size(); ++k) {
    const BpskReadings e = bpskExpectedReadings(responses, shape, h.signs[k]);
    const BpskReadings& r = h.readings[k];
    miss += std::norm(r.sample - e.sample) + responses.slopeWeight * std::norm(r.slope - e.slope);
    power += std::norm(h.readings[k].sample) + responses.slopeWeight * std::norm(h.readings[k].slope);
  }
  return miss / power;
}

TEST(BpskSlopeFit, ReadsTwoPathsThatCancelAtTheCarrier) {
  const auto responses = bpskSlopeResponses(kSamplesPerSymbol);
  ASSERT_TRUE(responses);
  EXPECT_FALSE(bpskSlopeResponses(3));
  // A path 2 samples (an eighth of a symbol) after one nearly its opposite.
  const Heard h = heard(Complex(0.6, 0.3), Complex(-0.57, -0.27), 2, 0.0, 300, 7);
  BpskSlopeSums sums;
  for (std::size_t k = 0; k < h.readings.size(); ++k) sums.add(*responses, 1.0, h.signs[k], h.readings[k]);
  EXPECT_LT(relativeMiss(*responses, bpskFitShape(sums), h), 0.01);
  EXPECT_GT(relativeMiss(*responses, pulseOnly(sums), h), 0.3);

  // The slope's miss weighs as much more as white noise leaves less in it.
  const Heard noise = heard({}, {}, 0, 1.0, 4000, 11);
  double inSample = 0, inSlope = 0;
  for (const BpskReadings& r : noise.readings) inSample += std::norm(r.sample), inSlope += std::norm(r.slope);
  EXPECT_NEAR(inSample / inSlope / responses->slopeWeight, 1.0, 0.1);
}

// On one path the single path's reading is given a gain a fifth short, so
// the fit foretells clearly better (as it does where a gain turns within
// the symbol): the slope, which is not there, must still not be chosen.
TEST(BpskSlopeFit, TheChoiceTakesTheSlopeOnlyWhereItShows) {
  const auto responses = bpskSlopeResponses(kSamplesPerSymbol);
  ASSERT_TRUE(responses);
  for (const bool cancelling : {false, true}) {
    const Complex first(0.6, 0.3), second = cancelling ? Complex(-0.57, -0.27) : Complex{};
    const Heard h = heard(first, second, 2, cancelling ? 0.002 : 0.02, 1500, 9);
    const double singlePathShare = cancelling ? 1.0 : 0.8;
    BpskSlopeChoice choice;
    BpskSlopeSums sums;
    int chosen = 0;
    for (std::size_t k = 0; k < h.readings.size(); ++k) {
      const Complex gain = singlePathShare * pulseOnly(sums).pulse * responses->pulseInSample[1];
      // Counted once the choice has had 500 symbols to learn from.
      if (choice.choose(*responses, sums, gain, h.signs[k], h.readings[k], true) && k >= 500) ++chosen;
      sums.fade(0.9);
      sums.add(*responses, 0.1, h.signs[k], h.readings[k]);
    }
    if (cancelling) EXPECT_GT(chosen, 950);
    else EXPECT_LT(chosen, 50);
  }
}

}  // namespace
}  // namespace quillary::psk::test

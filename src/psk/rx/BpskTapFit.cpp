#include "psk/rx/BpskTapFit.h"

#include <algorithm>
#include <cmath>

#include "psk/rx/BpskReference.h"
#include "psk/rx/BpskTrellis.h"

namespace quillary::psk {

namespace {
// A fit is chosen over the single path's reading only where it foretells
// the symbols this much better (measured through moderate and poor fading
// and in white noise: with none, the freer fits' noise costs up to 0.4
// points of copy at low signal-to-noise ratios; 10% gives back part of
// the gain at 125 baud).
constexpr double kSinglePathAdvantage = 0.05;
// A fit is learnt from the signal it reads: none is chosen before the
// carrier has been there this many symbols without a break (a station
// just tuned in, or the start of a transmission after a pause, when what
// was learnt belongs to what came before).
constexpr int kSettledRun = 32;
}  // namespace

void BpskTapSums::add(double weight, const BpskSigns& signs, std::complex<double> sample) {
  products[0] += weight * signs[0] * signs[0];
  products[1] += weight * signs[0] * signs[1];
  products[2] += weight * signs[0] * signs[2];
  products[3] += weight * signs[1] * signs[1];
  products[4] += weight * signs[1] * signs[2];
  products[5] += weight * signs[2] * signs[2];
  for (std::size_t i = 0; i < 3; ++i) moments[i] += weight * signs[i] * sample;
}

void BpskTapSums::fade(double keep) {
  for (double& p : products) p *= keep;
  for (auto& m : moments) m *= keep;
}

// Least squares with the penalty pull (|t0 - L t1|^2 + |t2 - L t1|^2), L
// the single path's leak: the normal equations, solved by the adjugate.
BpskTaps bpskFitTaps(const BpskTapSums& sums, double pull) {
  const auto& p = sums.products;
  const double leak = kBpskLeak;
  const double a00 = p[0] + pull, a01 = p[1] - pull * leak, a02 = p[2];
  const double a11 = p[3] + 2 * pull * leak * leak, a12 = p[4] - pull * leak, a22 = p[5] + pull;
  const double c00 = a11 * a22 - a12 * a12, c01 = a02 * a12 - a01 * a22, c02 = a01 * a12 - a02 * a11;
  const double c11 = a00 * a22 - a02 * a02, c12 = a01 * a02 - a00 * a12, c22 = a00 * a11 - a01 * a01;
  const double det = a00 * c00 + a01 * c01 + a02 * c02;
  if (!(std::abs(det) > 1e-300)) return {};
  const auto& m = sums.moments;
  return {(c00 * m[0] + c01 * m[1] + c02 * m[2]) / det, (c01 * m[0] + c11 * m[1] + c12 * m[2]) / det,
          (c02 * m[0] + c12 * m[1] + c22 * m[2]) / det};
}

void BpskTapChoice::reset() {
  misses_.fill(0.0);
  run_ = 0;
  chosen_ = kSinglePath;
}

std::optional<BpskTaps> BpskTapChoice::choose(const BpskTapSums& sums, const BpskSigns& signs,
                                              std::complex<double> sample, bool carrier) {
  Fits fits{};
  for (std::size_t k = 0; k < kPulls.size(); ++k) fits[k] = bpskFitTaps(sums, kPulls[k]);
  const std::size_t used = chosen_;
  if (carrier) learn(fits, signs, sample);
  run_ = carrier ? run_ + 1 : 0;
  if (used == kSinglePath || run_ < kSettledRun) return std::nullopt;
  return fits[used];
}

// Each fit learns how well it foretold the symbol; the next symbol is read
// with the best, the single path's shares ahead by their advantage.
void BpskTapChoice::learn(const Fits& fits, const BpskSigns& signs, std::complex<double> sample) {
  for (std::size_t k = 0; k < kPulls.size(); ++k)
    misses_[k] += kBpskMissSmoothing * (std::norm(sample - bpskExpected(fits[k], signs)) - misses_[k]);
  const std::size_t best = static_cast<std::size_t>(
      std::min_element(misses_.begin(), misses_.begin() + kSinglePath) - misses_.begin());
  chosen_ = misses_[best] * (1 + kSinglePathAdvantage) < misses_[kSinglePath] ? best : kSinglePath;
}

}  // namespace quillary::psk

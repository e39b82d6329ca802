#include "psk/dsp/FirDesign.h"

#include <cmath>
#include <numbers>

namespace quillary::psk {

namespace {
void normaliseToUnitSum(std::vector<float>& taps) {
  double sum = 0;
  for (float t : taps) sum += t;
  for (float& t : taps) t = static_cast<float>(t / sum);
}
}  // namespace

std::vector<float> lowpassTaps(int length, double cutoff) {
  if (length < 3 || length % 2 == 0 || !(cutoff > 0.0 && cutoff < 0.5)) return {};
  using std::numbers::pi;
  std::vector<float> taps(length);
  const int middle = length / 2;
  for (int n = 0; n < length; ++n) {
    const double k = n - middle;
    const double sinc = k == 0 ? 2 * cutoff : std::sin(2 * pi * cutoff * k) / (pi * k);
    const double x = 2 * pi * n / (length - 1);
    const double blackman = 0.42 - 0.5 * std::cos(x) + 0.08 * std::cos(2 * x);
    taps[n] = static_cast<float>(sinc * blackman);
  }
  normaliseToUnitSum(taps);
  return taps;
}

std::vector<float> hannPulse(int length) {
  if (length < 2) return {};
  using std::numbers::pi;
  std::vector<float> taps(length);
  // Sampled at the centres of `length` equal steps so the pulse is symmetric
  // and never exactly zero at its ends.
  for (int n = 0; n < length; ++n) {
    const double x = (n + 0.5) / length;
    taps[n] = static_cast<float>(0.5 - 0.5 * std::cos(2 * pi * x));
  }
  normaliseToUnitSum(taps);
  return taps;
}

std::vector<float> hilbertTaps(int length) {
  if (length < 3 || length % 2 == 0) return {};
  using std::numbers::pi;
  std::vector<float> taps(length, 0.0f);
  const int middle = length / 2;
  for (int n = 0; n < length; ++n) {
    const int k = n - middle;
    if (k % 2 == 0) continue;  // the ideal response is zero at even offsets
    const double x = 2 * pi * n / (length - 1);
    const double blackman = 0.42 - 0.5 * std::cos(x) + 0.08 * std::cos(2 * x);
    taps[n] = static_cast<float>(2.0 / (pi * k) * blackman);
  }
  return taps;
}

}  // namespace quillary::psk

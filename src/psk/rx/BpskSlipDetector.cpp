#include "psk/rx/BpskSlipDetector.h"

#include <cmath>

namespace quillary::psk {

namespace {
// The correlation follows the channel over some 256 symbols.
constexpr double kSmoothing = 1.0 / 256;
// Before it has seen that many, it has not learnt enough to judge.
constexpr std::size_t kLearnt = 256;
// A little of the noise more than learnt keeps the matrix well in hand.
constexpr double kLoading = 1.02;
// A stretch this much stronger than the channel learnt is not the channel
// learnt (a station come up out of the noise): the test waits until it is.
constexpr double kTooStrong = 4.0;
// The correlation moves little from symbol to symbol: it is factored anew
// every so many.
constexpr std::size_t kFactorEvery = 4;
}  // namespace

void BpskSlipDetector::reset() {
  correlation_ = {};
  history_ = {};
  carried_ = {};
  count_ = 0;
  factored_ = false;
}

void BpskSlipDetector::learn(Complex data, bool carrier) {
  const std::size_t slot = count_ % kSpan;
  history_[slot] = data;
  carried_[slot] = carrier;
  ++count_;
  if (!carrier) return;
  for (std::size_t k = 0; k < kSpan && k < count_; ++k) {
    const std::size_t earlier = (slot + kSpan - k) % kSpan;
    if (carried_[earlier]) correlation_[k] += kSmoothing * (data * std::conj(history_[earlier]) - correlation_[k]);
  }
  if (count_ >= kLearnt && count_ % kFactorEvery == 0) factored_ = factor();
}

bool BpskSlipDetector::factor() {
  Matrix& lower = lower_;
  for (int i = 0; i < kSpan; ++i) {
    for (int j = 0; j <= i; ++j) {
      Complex sum = i == j ? correlation_[0] * kLoading : correlation_[static_cast<std::size_t>(i - j)];
      for (int k = 0; k < j; ++k) sum -= lower[i][k] * std::conj(lower[j][k]);
      if (i == j) {
        if (sum.real() <= 0) return false;
        lower[i][i] = std::sqrt(sum.real());
      } else {
        lower[i][j] = sum / lower[j][j].real();
      }
    }
  }
  return true;
}

double BpskSlipDetector::quadratic(const Matrix& lower, const Stretch& stretch) {
  // C = L L^H: x^H C^-1 x = |L^-1 x|^2.
  Stretch z{};
  double sum = 0;
  for (int i = 0; i < kSpan; ++i) {
    Complex value = stretch[static_cast<std::size_t>(i)];
    for (int k = 0; k < i; ++k) value -= lower[i][k] * z[static_cast<std::size_t>(k)];
    z[static_cast<std::size_t>(i)] = value / lower[i][i].real();
    sum += std::norm(z[static_cast<std::size_t>(i)]);
  }
  return sum;
}

std::array<double, 2> BpskSlipDetector::slipLikelihoods(const Stretch& stretch) const {
  double power = 0;
  for (const Complex& sample : stretch) power += std::norm(sample);
  if (!factored_ || power > kTooStrong * kSpan * correlation_[0].real()) return {0.0, 0.0};
  const Matrix& lower = lower_;
  const double asItComes = quadratic(lower, stretch);
  std::array<double, 2> likelihoods{};
  for (int point = 0; point < 2; ++point) {
    Stretch flipped = stretch;
    for (int i = kBefore + point; i < kSpan; ++i) flipped[static_cast<std::size_t>(i)] = -flipped[static_cast<std::size_t>(i)];
    likelihoods[static_cast<std::size_t>(point)] = asItComes - quadratic(lower, flipped);
  }
  return likelihoods;
}

}  // namespace quillary::psk

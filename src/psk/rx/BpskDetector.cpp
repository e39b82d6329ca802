#include "psk/rx/BpskDetector.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillary::psk {

namespace {
using std::numbers::pi;
// What each neighbour leaks into a symbol through the matched filter.
constexpr double kLeak = 1.0 / 6.0;
// The carrier loop, in two gears. Unlocked (after a start, or once the
// carrier has slipped away) it pulls hard: a wide phase loop and a strong
// assist that follows the turn the differential phase shows, so it pulls
// in from a quarter baud off within a few symbols. Locked, it is quiet: a
// loop bandwidth of about 2% of the symbol rate and hardly any assist,
// whose figure is noisy. The lock is judged by how close to the real axis
// the symbols sit (the mean of cos 2e over a few dozen symbols: near 1 on
// a clean signal, still over 0.6 at -16 dB in 3 kHz, near 0 while the
// carrier turns away).
constexpr double kLockedPhaseGain = 0.08;
constexpr double kLockedAssistGain = 0.002;
constexpr double kPullingPhaseGain = 0.2;
constexpr double kPullingAssistGain = 0.05;
constexpr double kLockSmoothing = 0.05;
constexpr double kLockedAbove = 0.5;
constexpr double kUnlockedBelow = 0.25;
constexpr double kAmplitudeSmoothing = 0.05;

double wrapped(double angle) { return std::remainder(angle, 2 * pi); }
}  // namespace

bool BpskDetector::create(int delay) {
  if (delay < 2 || delay > kMaxDelay) return false;
  delay_ = delay;
  reset();
  return true;
}

void BpskDetector::reset() {
  phase_ = turn_ = amplitude_ = lock_ = 0;
  locked_ = false;
  previous_ = {};
  for (Path& path : paths_) {
    path.metric = 0;
    path.bits.fill(0);
    path.sure.fill(0.0f);
  }
  count_ = 0;
}

void BpskDetector::trackCarrier(std::complex<float> sample, bool weak) {
  const std::complex<double> z = sample;
  const std::complex<double> u = z * std::polar(1.0, -phase_);
  if (!weak) {
    amplitude_ += kAmplitudeSmoothing * (std::abs(u.real()) - amplitude_);
    const double sign = u.real() >= 0 ? 1.0 : -1.0;
    const double error = amplitude_ > 0 ? std::clamp(u.imag() * sign / amplitude_, -1.0, 1.0) : 0.0;
    if (std::norm(u) > 0) lock_ += kLockSmoothing * ((u * u).real() / std::norm(u) - lock_);
    if (locked_ ? lock_ < kUnlockedBelow : lock_ > kLockedAbove) locked_ = !locked_;
    const double gain = locked_ ? kLockedPhaseGain : kPullingPhaseGain;
    // The turn the differential phase shows, mod half a turn (data removed).
    const std::complex<double> change = z * std::conj(std::complex<double>(previous_));
    if (std::abs(change) > 0) {
      const double shown = std::arg(change * change) / 2;
      turn_ += (locked_ ? kLockedAssistGain : kPullingAssistGain) * std::remainder(shown - turn_, pi);
    }
    turn_ += gain * gain / 4 * error;
    phase_ += gain * error;
    // A BPSK carrier's turn shows only to within half a turn per symbol: a
    // loop that has run beyond a quarter has found nothing, and starts again.
    if (std::abs(turn_) > pi / 2) restartCarrier();
  }
  phase_ = wrapped(phase_ + turn_);
  previous_ = sample;
}

void BpskDetector::restartCarrier() {
  turn_ = lock_ = 0;
  locked_ = false;
}

void BpskDetector::moved(double turn) {
  // A move farther than the loop can have followed leaves it nothing to
  // keep: it starts again on the new frequency.
  if (std::abs(turn) > pi / 2) restartCarrier();
  else turn_ -= turn;
}

std::optional<BpskDetector::Bit> BpskDetector::push(std::complex<float> sample, bool weak) {
  const std::complex<double> u = std::complex<double>(sample) * std::polar(1.0, -phase_);
  const double x = weak || !(amplitude_ > 0) ? 0.0 : u.real() / amplitude_;
  trackCarrier(sample, weak);
  return decide(x);
}

std::optional<BpskDetector::Bit> BpskDetector::decide(double x) {
  // State 0: the latest symbol is +1, state 1: -1. The metric of a step
  // from sign p to sign s: s x - kLeak s p (the matched filter's own leak
  // from the symbol before is expected, not evidence).
  const std::size_t ring = static_cast<std::size_t>(delay_ + 1);
  const std::size_t slot = count_ % ring;
  std::array<Path, 2> next = paths_;
  for (int s = 0; s < 2; ++s) {
    const double sign = s == 0 ? 1.0 : -1.0;
    std::array<double, 2> via{};
    for (int p = 0; p < 2; ++p) {
      const double before = p == 0 ? 1.0 : -1.0;
      via[p] = paths_[p].metric + sign * x - kLeak * sign * before;
    }
    const int best = via[0] >= via[1] ? 0 : 1, other = 1 - best;
    const double gap = via[best] - via[other];
    Path& path = next[s];
    path = paths_[best];
    path.metric = via[best];
    // The bit of this step: kept (1) when the sign stayed. The other path
    // had the other bit here; where the two paths' older bits differ, they
    // are no surer than this gap.
    path.bits[slot] = s == best ? 1 : 0;
    path.sure[slot] = static_cast<float>(gap);
    const Path& loser = paths_[other];
    for (std::size_t k = 0; k < ring; ++k)
      if (k != slot && path.bits[k] != loser.bits[k]) path.sure[k] = std::min(path.sure[k], static_cast<float>(gap));
  }
  // Keep the metrics near zero.
  const double top = std::max(next[0].metric, next[1].metric);
  for (Path& path : next) path.metric -= top;
  paths_ = next;
  ++count_;
  if (count_ <= static_cast<std::size_t>(delay_)) return std::nullopt;
  const Path& winner = paths_[0].metric >= paths_[1].metric ? paths_[0] : paths_[1];
  const std::size_t old = (count_ - 1 - static_cast<std::size_t>(delay_)) % ring;
  return Bit{winner.bits[old], winner.sure[old]};
}

}  // namespace quillary::psk

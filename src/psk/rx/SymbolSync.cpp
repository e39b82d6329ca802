#include "psk/rx/SymbolSync.h"

#include <algorithm>
#include <cmath>

namespace quillary::psk {

namespace {
constexpr double kPowerSmoothing = 0.05;
constexpr double kPeriodGain = 0.002;  // integral part: follows a clock error
constexpr double kMaxClockError = 0.01;
// On noise the error has no mean but the integral part still walks, and
// after minutes of a quiet band it would stand at its limit when a station
// comes. A slight pull back to the nominal period bounds that walk; on a
// station the proportional part carries what the pull leaves of a clock
// error (at 1% a few hundredths of a symbol).
constexpr double kPeriodLeak = 0.002;
}  // namespace

bool SymbolSync::create(int samplesPerSymbol, double gain) {
  if (samplesPerSymbol < 4 || !(gain > 0.0 && gain <= 2.0)) return false;
  samplesPerSymbol_ = samplesPerSymbol;
  gain_ = gain;
  history_.assign(2 * samplesPerSymbol + 8, {});
  reset();
  return true;
}

void SymbolSync::reset() {
  std::fill(history_.begin(), history_.end(), std::complex<float>{});
  received_ = 0;
  nextStrobe_ = samplesPerSymbol_ + 1;
  period_ = samplesPerSymbol_;
  previous_ = {};
  power_ = 0;
}

std::complex<float> SymbolSync::at(double position) const {
  const auto whole = static_cast<long long>(std::floor(position));
  const auto frac = static_cast<float>(position - whole);
  const auto size = static_cast<long long>(history_.size());
  const auto& a = history_[whole % size];
  const auto& b = history_[(whole + 1) % size];
  return a + frac * (b - a);
}

void SymbolSync::process(std::size_t count, const std::complex<float>* in,
                         std::vector<std::complex<float>>& symbols,
                         std::vector<std::complex<float>>* slopes) {
  const auto size = static_cast<long long>(history_.size());
  for (std::size_t i = 0; i < count; ++i) {
    history_[received_ % size] = in[i];
    ++received_;
    // The slope needs the sample after the one after the strobe position.
    while (nextStrobe_ + 2 < static_cast<double>(received_)) {
      if (slopes) slopes->push_back((at(nextStrobe_ + 1) - at(nextStrobe_ - 1)) * 0.5f);
      strobe();
      symbols.push_back(previous_);
    }
  }
}

void SymbolSync::strobe() {
  const std::complex<float> current = at(nextStrobe_);
  const std::complex<float> middle = at(nextStrobe_ - period_ / 2);
  power_ += kPowerSmoothing * (std::norm(current) - power_);
  double error = 0;
  if (power_ > 0) {
    // Positive when the strobe comes late: the middle sample has already
    // moved towards the new symbol.
    error = std::real((current - previous_) * std::conj(middle)) / (2 * power_);
    error = std::clamp(error, -1.0, 1.0);
  }
  const double nominal = samplesPerSymbol_;
  period_ += kPeriodLeak * (nominal - period_);
  period_ = std::clamp(period_ - kPeriodGain * error, nominal * (1 - kMaxClockError),
                       nominal * (1 + kMaxClockError));
  nextStrobe_ += period_ - gain_ * error;
  previous_ = current;
}

}  // namespace quillary::psk

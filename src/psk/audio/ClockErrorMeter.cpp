#include "psk/audio/ClockErrorMeter.h"

#include <cmath>
#include <utility>

namespace quillary::psk {

ClockErrorMeter::ClockErrorMeter(double nominalRate, TimeSource now, Timing timing)
    : nominalRate_(nominalRate), now_(std::move(now)), timing_(timing) {}

ClockErrorMeter::ClockErrorMeter(double nominalRate, TimeSource now)
    : ClockErrorMeter(nominalRate, std::move(now), Timing{}) {}

void ClockErrorMeter::reset() {
  origin_.reset();
  samples_ = 0.0;
  windowEdge_.reset();
  windowStart_ = 0.0;
  firstEdge_.reset();
  latestEdge_.reset();
  lastReport_ = 0.0;
  lastLateness_.reset();
}

std::optional<int> ClockErrorMeter::addSamples(std::size_t frames) {
  const Clock::time_point arrival = now_();
  if (!origin_) origin_ = arrival;
  double time = std::chrono::duration<double>(arrival - *origin_).count();
  samples_ += static_cast<double>(frames);
  const double lateness = time - samples_ / nominalRate_;
  if (lastLateness_ && lateness - *lastLateness_ > timing_.stall.count()) {
    reset();
    origin_ = arrival;
    samples_ = static_cast<double>(frames);
    time = 0.0;
  }
  lastLateness_ = time - samples_ / nominalRate_;
  if (time < timing_.warmUp.count()) return std::nullopt;

  // The samples counted so far should have taken samples_/rate seconds;
  // the block ends at `time`.
  const Edge edge{time, *lastLateness_};
  if (!windowEdge_) windowStart_ = time;
  if (!windowEdge_ || edge.lateness < windowEdge_->lateness) windowEdge_ = edge;
  if (time - windowStart_ < timing_.window.count()) return std::nullopt;
  closeWindow(time);
  return readingIfDue(time);
}

void ClockErrorMeter::closeWindow(double now) {
  if (!firstEdge_) {
    firstEdge_ = windowEdge_;
    lastReport_ = now;
  } else {
    latestEdge_ = windowEdge_;
  }
  windowEdge_.reset();
}

std::optional<int> ClockErrorMeter::readingIfDue(double now) {
  if (!firstEdge_ || !latestEdge_) return std::nullopt;
  if (now - lastReport_ < timing_.report.count()) return std::nullopt;
  lastReport_ = now;
  const double span = latestEdge_->time - firstEdge_->time;
  // A fast card delivers its samples ever earlier against the nominal time.
  const double error = -(latestEdge_->lateness - firstEdge_->lateness) / span;
  return static_cast<int>(std::lround(error * 1e6));
}

}  // namespace quillary::psk

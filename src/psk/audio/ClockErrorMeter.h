#pragma once
// The sound card's clock error: how fast samples really arrive against the
// nominal rate, in parts per million, measured against a steady clock over
// tens of seconds.
//
// Audio arrives in blocks and the thread that receives them can be late, but
// never early. So the meter tracks, per window of a few seconds, the
// earliest moment (relative to the sample count) at which a block arrived,
// and reads the rate from the drift of that lower edge between the first
// window and the latest. Scheduling jitter then hardly enters the figure.
#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>

namespace quillary::psk {

class ClockErrorMeter {
 public:
  using Clock = std::chrono::steady_clock;
  using TimeSource = std::function<Clock::time_point()>;

  struct Timing {
    std::chrono::duration<double> warmUp{2.0};   // ignored: buffers fill in bursts at start
    std::chrono::duration<double> window{5.0};   // one lower-edge point per window
    std::chrono::duration<double> report{30.0};  // a reading this often
    // Blocks suddenly this much later than the samples they carry mean a
    // stall (a suspended computer, input lost in an overflow), not a slow
    // card: the measurement starts again.
    std::chrono::duration<double> stall{0.2};
  };

  // `now` is the time source (the steady clock in the engine, a fake in tests).
  ClockErrorMeter(double nominalRate, TimeSource now, Timing timing);
  ClockErrorMeter(double nominalRate, TimeSource now);

  // Starts over (a new stream).
  void reset();
  // Counts `frames` samples that have just arrived. Answers a reading in
  // whole ppm (positive: the card runs fast) when one is due.
  std::optional<int> addSamples(std::size_t frames);

 private:
  struct Edge {
    double time = 0.0;     // seconds since the first block
    double lateness = 0.0; // arrival time minus the nominal time of the samples
  };
  void closeWindow(double now);
  std::optional<int> readingIfDue(double now);

  double nominalRate_;
  TimeSource now_;
  Timing timing_;
  std::optional<Clock::time_point> origin_;
  double samples_ = 0.0;
  std::optional<Edge> windowEdge_;  // the earliest arrival in the open window
  double windowStart_ = 0.0;
  std::optional<Edge> firstEdge_;
  std::optional<Edge> latestEdge_;
  double lastReport_ = 0.0;  // when the last reading (or the first edge) was due
  std::optional<double> lastLateness_;
};

}  // namespace quillary::psk

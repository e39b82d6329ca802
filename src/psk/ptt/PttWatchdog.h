#pragma once
// Drops PTT when the transmit audio stops while the radio is keyed: a hung
// sound device or a blocked audio thread sends nothing, and the radio must
// not stay on the air with nothing to say. The audio thread feeds the
// watchdog after every block; the watchdog's own thread notices a keyed
// transmitter that has not been fed for the limit and calls the stall
// handler, once per stall.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace quillary::psk {

class PttWatchdog {
 public:
  using Clock = std::chrono::steady_clock;

  PttWatchdog(Clock::duration limit, std::function<void()> onStall);
  ~PttWatchdog();
  PttWatchdog(const PttWatchdog&) = delete;
  PttWatchdog& operator=(const PttWatchdog&) = delete;

  // Starts watching (unkeyed). Idempotent.
  void start();
  // Stops watching and waits for a stall handler that is running. Idempotent.
  void stop();
  // After each block of transmit audio: whether the transmitter is keyed.
  void fed(bool keyed);
  // True from a stall until the next feed: the stall handler checks it
  // under the lock its feeder holds, so audio that came back in between wins.
  bool tripped();

 private:
  void run();

  const Clock::duration limit_;
  const std::function<void()> onStall_;
  std::mutex mutex_;
  std::condition_variable wake_;
  Clock::time_point lastFed_;
  bool keyed_ = false;
  bool tripped_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace quillary::psk

#pragma once
// When the transmitter counts as on for the outside world (message 2026 and
// the PTT line). "On" goes out with the block that holds the first keyed
// sample, so PTT closes before that audio reaches the radio. "Off" waits
// until the last keyed sample has left the sound card's output buffer, so
// the tail of the postamble or CW ID is not cut by PTT dropping. An abort
// is the operator's "stop now": off at once.
#include <cstddef>

namespace quillary::psk {

class TransmitKeying {
 public:
  enum class Change { None, On, Off, OnOff };

  // Samples between the engine and the air (the output buffer).
  void setDrainFrames(std::size_t frames) { drainFrames_ = frames; }
  void reset();

  // After each transmit block of `frames` samples: whether the transmitter
  // started, is still on, and whether the operator aborted since the last
  // block.
  Change afterBlock(bool startedInBlock, bool transmitterOn, bool aborted, std::size_t frames);

  // True from "on" until "off" has been announced, the drain included.
  bool keyed() const { return keyed_; }

 private:
  bool keyed_ = false;
  bool draining_ = false;
  std::size_t drainLeft_ = 0;
  std::size_t drainFrames_ = 0;
};

}  // namespace quillary::psk

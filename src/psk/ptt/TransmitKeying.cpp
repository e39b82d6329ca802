#include "psk/ptt/TransmitKeying.h"

namespace quillary::psk {

void TransmitKeying::reset() {
  keyed_ = false;
  draining_ = false;
  drainLeft_ = 0;
}

TransmitKeying::Change TransmitKeying::afterBlock(bool startedInBlock, bool transmitterOn, bool aborted,
                                                  std::size_t frames) {
  bool turnedOn = false;
  if (startedInBlock || transmitterOn) {
    if (!keyed_) turnedOn = true;
    keyed_ = true;
    draining_ = false;  // keyed again before the old tail had drained: stays on
  }
  const bool ended = keyed_ && !transmitterOn;
  bool turnedOff = false;
  if (ended && aborted) {
    turnedOff = true;
  } else if (ended && !draining_) {
    draining_ = true;
    drainLeft_ = drainFrames_;  // this block's own samples are already in the buffer
    turnedOff = drainLeft_ == 0;
  } else if (ended) {
    drainLeft_ = drainLeft_ > frames ? drainLeft_ - frames : 0;
    turnedOff = drainLeft_ == 0;
  }
  if (turnedOff) reset();
  if (turnedOn && turnedOff) return Change::OnOff;
  if (turnedOn) return Change::On;
  if (turnedOff) return Change::Off;
  return Change::None;
}

}  // namespace quillary::psk

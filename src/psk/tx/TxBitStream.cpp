#include "psk/tx/TxBitStream.h"

#include "psk/Varicode.h"

namespace quillary::psk {

void TxBitStream::enqueue(std::string_view bytes) {
  for (char c : bytes) queue_.push_back(static_cast<uint8_t>(c));
}

void TxBitStream::reset() {
  queue_.clear();
  current_.clear();
  position_ = 0;
}

int TxBitStream::nextBit() {
  if (position_ == current_.size()) {
    if (queue_.empty()) return 0;  // idle
    current_ = varicodeOf(queue_.front());
    current_ += "00";
    queue_.pop_front();
    position_ = 0;
  }
  return current_[position_++] == '1' ? 1 : 0;
}

}  // namespace quillary::psk

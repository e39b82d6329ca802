#include "psk/tx/TxBitStream.h"

#include <utility>

#include "psk/Varicode.h"

namespace quillary::psk {

namespace {
// Key presses come one byte at a time; they join the last string while it
// is short, so a long type-ahead does not cost a string per byte. The copy
// this takes is bounded by these sizes.
constexpr std::size_t kSmallText = 64;
constexpr std::size_t kJoinedChunk = 4096;
}  // namespace

void TxBitStream::enqueue(std::string bytes) {
  if (bytes.empty()) return;
  queued_ += bytes.size();
  if (bytes.size() <= kSmallText && !chunks_.empty() && chunks_.back().size() < kJoinedChunk) {
    chunks_.back() += bytes;
    return;
  }
  chunks_.push_back(std::move(bytes));
}

void TxBitStream::clearQueue() {
  chunks_.clear();
  frontTaken_ = 0;
  queued_ = 0;
}

void TxBitStream::reset() {
  clearQueue();
  current_.clear();
  position_ = 0;
}

uint8_t TxBitStream::takeByte() {
  const auto byte = static_cast<uint8_t>(chunks_.front()[frontTaken_]);
  --queued_;
  if (++frontTaken_ == chunks_.front().size()) {
    chunks_.pop_front();
    frontTaken_ = 0;
  }
  return byte;
}

int TxBitStream::nextBit() {
  if (position_ == current_.size()) {
    if (queued_ == 0) return 0;  // idle
    current_ = varicodeOf(takeByte());
    current_ += "00";
    position_ = 0;
  }
  return current_[position_++] == '1' ? 1 : 0;
}

}  // namespace quillary::psk

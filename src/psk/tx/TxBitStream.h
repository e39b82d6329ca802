#pragma once
// The transmit queue as a bit stream: each queued byte goes out as its
// varicode followed by "00"; with nothing queued the stream idles with 0 bits.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace quillary::psk {

class TxBitStream {
 public:
  void enqueue(std::string_view bytes);
  // Drops the queued bytes; a character already begun is finished.
  void clearQueue() { queue_.clear(); }
  // Drops everything, the character under way included.
  void reset();

  // Bytes queued and not yet begun.
  std::size_t queued() const { return queue_.size(); }
  // Between characters with nothing queued: stopping here loses nothing.
  bool idle() const { return position_ == current_.size() && queue_.empty(); }

  int nextBit();

 private:
  std::deque<uint8_t> queue_;
  std::string current_;  // code of the character under way, with its "00"
  std::size_t position_ = 0;
};

}  // namespace quillary::psk

#pragma once
// The transmit queue as a bit stream: each queued byte goes out as its
// varicode followed by "00"; with nothing queued the stream idles with 0 bits.
//
// Text is queued as whole strings, moved in: queuing a large paste costs the
// same as queuing one key press, so the audio thread, which shares the
// transmitter's lock, never waits for a copy byte by byte.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

namespace quillary::psk {

class TxBitStream {
 public:
  void enqueue(std::string bytes);
  // Drops the queued bytes; a character already begun is finished.
  void clearQueue();
  // Drops everything, the character under way included.
  void reset();

  // Bytes queued and not yet begun.
  std::size_t queued() const { return queued_; }
  // Between characters with nothing queued: stopping here loses nothing.
  bool idle() const { return position_ == current_.size() && queued_ == 0; }

  int nextBit();

 private:
  uint8_t takeByte();

  std::deque<std::string> chunks_;  // never holds an empty string
  std::size_t frontTaken_ = 0;      // bytes of chunks_.front() already begun
  std::size_t queued_ = 0;
  std::string current_;  // code of the character under way, with its "00"
  std::size_t position_ = 0;
};

}  // namespace quillary::psk

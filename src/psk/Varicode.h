#pragma once
// The varicode of every byte value 0..255 (values 128..255 from the extended
// table), and a reader that turns a bit stream back into bytes. Every
// character is followed by two 0 bits; no code holds "00".
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillary::psk {

// The code of `byte` as '0'/'1' characters, sent left to right, without the
// "00" that follows every character.
std::string_view varicodeOf(uint8_t byte);

class VaricodeReader {
 public:
  // Feeds one received bit; answers a byte when "00" closes a known code.
  std::optional<uint8_t> push(int bit);
  void reset();

 private:
  uint32_t bits_ = 0;  // bits of the current code, newest in bit 0
  int length_ = 0;
  bool lastWasZero_ = true;
  bool overflow_ = false;
};

}  // namespace quillary::psk

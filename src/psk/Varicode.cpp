#include "psk/Varicode.h"

#include <array>

#include "psk/VaricodeTable.h"

namespace quillary::psk {
namespace {

// Every code starts with a 1, so its bits read as a number identify it
// together with its length; this maps that number back to the byte.
using CodeLookup = std::array<int16_t, 1u << kLongestVaricode>;

CodeLookup buildLookup() {
  CodeLookup lookup;
  lookup.fill(-1);
  for (int byte = 0; byte < 256; ++byte) {
    uint32_t value = 0;
    for (const char* bit = kVaricodeTable[byte]; *bit; ++bit) value = (value << 1) | (*bit == '1');
    lookup[value] = static_cast<int16_t>(byte);
  }
  return lookup;
}

const CodeLookup& codeLookup() {
  static const CodeLookup lookup = buildLookup();
  return lookup;
}

}  // namespace

std::string_view varicodeOf(uint8_t byte) { return kVaricodeTable[byte]; }

std::optional<uint8_t> VaricodeReader::push(int bit) {
  const bool zero = bit == 0;
  if (zero && lastWasZero_) {
    // "00": the code ends; the first 0 was stored as if it were inside it.
    std::optional<uint8_t> result;
    if (length_ > 0 && !overflow_) {
      const uint32_t code = bits_ >> 1;
      if (code < codeLookup().size() && codeLookup()[code] >= 0)
        result = static_cast<uint8_t>(codeLookup()[code]);
    }
    bits_ = 0;
    length_ = 0;
    overflow_ = false;
    return result;
  }
  lastWasZero_ = zero;
  if (length_ > kLongestVaricode) {
    overflow_ = true;  // no code is this long: the whole run is dropped
    return std::nullopt;
  }
  bits_ = (bits_ << 1) | (zero ? 0u : 1u);
  ++length_;
  return std::nullopt;
}

void VaricodeReader::reset() {
  bits_ = 0;
  length_ = 0;
  lastWasZero_ = true;
  overflow_ = false;
}

}  // namespace quillary::psk

#pragma once
// The varicode of every byte value as '0'/'1' text, generated from the
// published table by scripts/gen-varicode.py.

namespace quillary::psk {

extern const char* const kVaricodeTable[256];

// The longest code in the table, in bits.
inline constexpr int kLongestVaricode = 12;

}  // namespace quillary::psk

#pragma once
// Number styles and conversions shared by every file and text box.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillary {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);
// Rounded half to even into a 16-bit integer; nullopt outside -32768..32767
// (and for NaN).
std::optional<int16_t> toInt16(double value);

// The longest leading part of `text` that forms a number ("12 x" -> 12,
// "2.5" -> 2.5, "-3" -> -3, "abc" -> 0). Leading blanks are skipped.
double leadingNumber(std::string_view text);
// The whole text read as a number (surrounding blanks allowed), or nullopt.
std::optional<double> parseNumber(std::string_view text);

// Signed style of text boxes and labels: " 12", " 0", "-3".
std::string signedStyle(long long value);
// Padded style of "sound.ini" and "cmd_data.txt": " 12 ", "-1 ".
std::string paddedStyle(long long value);
// Plain decimal, "." as the point, no blanks, whole numbers without a point,
// at most `significantDigits` significant digits: 1785, -120, 5.5.
std::string plainNumber(double value, int significantDigits = 7);

}  // namespace quillary

#include "common/Numbers.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace quillary {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t countDigits(std::string_view text, std::size_t from) {
  std::size_t end = from;
  while (end < text.size() && isDigit(text[end])) ++end;
  return end - from;
}

// Length of the decimal number at the start of `text`: optional sign, digits
// with an optional point and fraction (".5" and "5." count), and an exponent
// only when digits follow it. 0 when no number starts there. Hex, "inf" and
// "nan" are deliberately not numbers: no operator types them as values.
std::size_t numberLength(std::string_view text) {
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  std::size_t mantissaDigits = countDigits(text, pos);
  pos += mantissaDigits;
  if (pos < text.size() && text[pos] == '.') {
    std::size_t fraction = countDigits(text, pos + 1);
    if (mantissaDigits + fraction > 0) pos += 1 + fraction;
    mantissaDigits += fraction;
  }
  if (mantissaDigits == 0) return 0;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    std::size_t expPos = pos + 1;
    if (expPos < text.size() && (text[expPos] == '+' || text[expPos] == '-')) ++expPos;
    std::size_t expDigits = countDigits(text, expPos);
    if (expDigits > 0) pos = expPos + expDigits;
  }
  return pos;
}

// strtod follows the process locale (Qt sets it from the environment), and
// the files always use "."; so the number is converted in the C locale.
double convertNumber(std::string_view number) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
  std::string copy(number);
  return strtod_l(copy.c_str(), nullptr, cLocale);
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

double roundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  // An explicit rule instead of nearbyint, so a changed FPU rounding mode
  // cannot change what is stored.
  double floor = std::floor(value);
  double rest = value - floor;
  if (rest < 0.5) return floor;
  if (rest > 0.5) return floor + 1.0;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::optional<int16_t> toInt16(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  double rounded = roundHalfEven(value);
  if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
  return static_cast<int16_t>(rounded);
}

double leadingNumber(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  std::size_t length = numberLength(text);
  if (length == 0) return 0.0;
  return convertNumber(text.substr(0, length));
}

std::optional<double> parseNumber(std::string_view text) {
  text = trimBlanks(text);
  std::size_t length = numberLength(text);
  if (length == 0 || length != text.size()) return std::nullopt;
  double value = convertNumber(text);
  // A number too large for a double cannot be a setting; treat it as text.
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::string signedStyle(long long value) {
  std::string digits = std::to_string(value);
  return value >= 0 ? " " + digits : digits;
}

std::string paddedStyle(long long value) { return signedStyle(value) + " "; }

std::string plainNumber(double value, int significantDigits) {
  // The files have no way to hold these; 0 reads back as a number.
  if (!std::isfinite(value)) return "0";
  if (significantDigits < 1) significantDigits = 1;
  if (significantDigits > 17) significantDigits = 17;

  // to_chars is locale-free; the scientific form gives the rounded digits
  // and the exponent, laid out below in plain decimal without an exponent.
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                              std::chars_format::scientific, significantDigits - 1);
  std::string_view sci(buffer, static_cast<std::size_t>(result.ptr - buffer));
  bool negative = sci.front() == '-';
  if (negative) sci.remove_prefix(1);
  std::size_t ePos = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, ePos))
    if (isDigit(c)) digits += c;
  int exponent = std::atoi(std::string(sci.substr(ePos + 1)).c_str());

  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  if (digits.empty()) return "0";  // also turns -0 into 0

  int pointAt = exponent + 1;  // digits before the decimal point
  std::string text;
  if (pointAt <= 0) {
    text = "0." + std::string(static_cast<std::size_t>(-pointAt), '0') + digits;
  } else if (static_cast<std::size_t>(pointAt) >= digits.size()) {
    text = digits + std::string(static_cast<std::size_t>(pointAt) - digits.size(), '0');
  } else {
    text = digits.substr(0, static_cast<std::size_t>(pointAt)) + "." +
           digits.substr(static_cast<std::size_t>(pointAt));
  }
  return negative ? "-" + text : text;
}

}  // namespace quillary

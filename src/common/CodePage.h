#pragma once
// The system code page: CP932 when the locale's language is Japanese, else
// CP1252; QUILLARY_CODEPAGE=932 or 1252 overrides. Conversions use glibc's
// iconv. A character the code page cannot hold becomes "?".
#include <cstdint>
#include <string>
#include <string_view>

namespace quillary {

enum class CodePage { Cp1252 = 1252, Cp932 = 932 };

CodePage systemCodePage();

// UTF-8 text to bytes in the code page.
std::string toCodePage(std::string_view utf8, CodePage page);
// Bytes in the code page to UTF-8 text.
std::string fromCodePage(std::string_view bytes, CodePage page);
// True when the bytes are well-formed UTF-8 (the file system's names here).
bool isUtf8(std::string_view bytes);
// One byte as a character of the code page, as UTF-8; "?" when the byte
// alone is no character there (a CP932 lead byte, say).
std::string singleByteChar(uint8_t byte, CodePage page);
// The first character of a Shift-JIS (CP932) lead/trail pair, as UTF-8;
// "?" when the pair does not decode.
std::string shiftJisPair(uint8_t lead, uint8_t trail);

}  // namespace quillary

#include "common/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace quillary {
namespace {

// One open iconv descriptor; closed when its thread ends.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

// Conversions run per received character, so descriptors are kept; one set
// per thread, since an iconv descriptor holds state and is not shareable.
iconv_t converter(CodePage page, bool toPage) {
  thread_local Converter toCp1252("CP1252", "UTF-8");
  thread_local Converter fromCp1252("UTF-8", "CP1252");
  thread_local Converter toCp932("CP932", "UTF-8");
  thread_local Converter fromCp932("UTF-8", "CP932");
  const Converter& chosen = page == CodePage::Cp932 ? (toPage ? toCp932 : fromCp932)
                                                    : (toPage ? toCp1252 : fromCp1252);
  return chosen.ok() ? chosen.get() : reinterpret_cast<iconv_t>(-1);
}

// Bytes of the UTF-8 character starting with `lead` (1 for a stray byte).
std::size_t utf8Length(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

bool isCp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool isCp932Trail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// How many input bytes one character that would not convert takes up.
using SkipRule = std::size_t (*)(const char* in, std::size_t left);

std::size_t skipUtf8(const char* in, std::size_t left) {
  std::size_t length = utf8Length(static_cast<unsigned char>(*in));
  // A broken sequence ends at the first byte that is no continuation byte;
  // that byte starts the next character and is kept.
  std::size_t taken = 1;
  while (taken < length && taken < left && (static_cast<unsigned char>(in[taken]) & 0xC0) == 0x80)
    ++taken;
  return taken;
}

std::size_t skipCp1252(const char*, std::size_t) { return 1; }

std::size_t skipCp932(const char* in, std::size_t left) {
  auto lead = static_cast<unsigned char>(in[0]);
  // A lead byte with a proper trail byte is one (unmapped) character; with
  // anything else the next byte is a character of its own and is kept.
  if (left >= 2 && isCp932Lead(lead) && isCp932Trail(static_cast<unsigned char>(in[1]))) return 2;
  return 1;
}

// Converts everything; each character that does not convert becomes one "?"
// and the conversion goes on with the next.
std::string convert(std::string_view input, iconv_t cd, SkipRule skip) {
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(input.size(), '?');
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state
  std::string output;
  char buffer[256];
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    std::size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
    int error = errno;
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    if (result != static_cast<std::size_t>(-1)) continue;
    if (error == E2BIG) continue;
    // EILSEQ (no such character) or EINVAL (a character cut off at the end).
    std::size_t skipped = skip(in, inLeft);
    output += '?';
    in += skipped;
    inLeft -= skipped;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return output;
}

std::string firstUtf8Character(const std::string& text) {
  if (text.empty()) return "?";
  std::size_t length = utf8Length(static_cast<unsigned char>(text[0]));
  return text.substr(0, length);
}

}  // namespace

CodePage systemCodePage() {
  if (const char* forced = std::getenv("QUILLARY_CODEPAGE")) {
    if (std::strcmp(forced, "932") == 0) return CodePage::Cp932;
    if (std::strcmp(forced, "1252") == 0) return CodePage::Cp1252;
  }
  // The first of these that is set decides, as it does for the C library.
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') continue;
    return std::strncmp(value, "ja", 2) == 0 ? CodePage::Cp932 : CodePage::Cp1252;
  }
  return CodePage::Cp1252;
}

std::string toCodePage(std::string_view utf8, CodePage page) {
  return convert(utf8, converter(page, true), &skipUtf8);
}

std::string fromCodePage(std::string_view bytes, CodePage page) {
  return convert(bytes, converter(page, false),
                 page == CodePage::Cp932 ? &skipCp932 : &skipCp1252);
}

bool isUtf8(std::string_view bytes) {
  // iconv from UTF-8 to itself refuses every ill-formed sequence.
  thread_local Converter check("UTF-8", "UTF-8");
  if (!check.ok()) return false;
  iconv(check.get(), nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char buffer[256];
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(check.get(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) && errno != E2BIG)
      return false;
  }
  return true;
}

std::string singleByteChar(uint8_t byte, CodePage page) {
  // A lone CP932 lead byte is cut off at the end and so becomes "?", as do
  // the bytes CP1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
  return fromCodePage(std::string(1, static_cast<char>(byte)), page);
}

std::string shiftJisPair(uint8_t lead, uint8_t trail) {
  const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  return firstUtf8Character(fromCodePage(std::string_view(pair, 2), CodePage::Cp932));
}

}  // namespace quillary

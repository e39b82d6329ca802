#include "app/SettingsFiles.h"

#include <algorithm>

#include "common/AtomicFile.h"
#include "common/CodePage.h"
#include "common/FieldReader.h"
#include "common/Numbers.h"

namespace quillary {
namespace {

constexpr int kPskIniLines = 10;
const char* const kLineEnd = "\r\n";

// Lines 1 and 2: a window partly off the screen comes back at the edge.
bool applyPosition(const Field& field, std::optional<double>& target) {
  auto value = fieldNumber(field);
  if (!value) return false;
  target = *value < 0 ? 0.0 : *value;
  return true;
}

bool applyInt16(const Field& field, std::optional<int16_t>& target) {
  auto value = fieldNumber(field);
  if (!value) return false;
  auto converted = toInt16(*value);
  if (!converted) return false;
  target = converted;
  return true;
}

// Line 4: a stored 0 restores the threshold 10.
bool applySquelch(const Field& field, std::optional<int16_t>& target) {
  auto value = fieldNumber(field);
  if (value && *value == 0) {
    target = int16_t{10};
    return true;
  }
  return applyInt16(field, target);
}

void applyText(const Field& field, std::optional<std::string>& target) {
  target = fromCodePage(generalValueText(field), systemCodePage());
}

// False when the line's value does not convert, which ends the reading.
bool applyPskIniLine(int line, const Field& field, PskIniRead& read) {
  switch (line) {
    case 1: return applyPosition(field, read.top);
    case 2: return applyPosition(field, read.left);
    case 3: applyText(field, read.ownCall); return true;
    case 4: return applySquelch(field, read.squelch);
    case 5: applyText(field, read.searchHalfWidth); return true;
    case 6: return applyInt16(field, read.savedWidth);
    case 7: return applyInt16(field, read.savedHeight);
    case 8: applyText(field, read.smoothing); return true;
    case 9: applyText(field, read.bias); return true;
    case 10: applyText(field, read.commPort); return true;
    default: return true;  // lines after the tenth are read and ignored
  }
}

// The file cannot escape a double quote, so it is left out of the text
// rather than cutting the value short when it is read back.
std::string quotedText(const std::string& utf8) {
  std::string text;
  for (char c : toCodePage(utf8, systemCodePage()))
    if (c != '"') text += c;
  return "\"" + text + "\"";
}

// Reading stops at a width or height beyond 16 bits, and would lose every
// line after it; a window that large (over 2184 pixels at 96 DPI) is saved
// at the largest size the file takes back.
double savedSize(double twips) { return std::clamp(twips, -32768.0, 32767.0); }

}  // namespace

PskIniRead readPskIni(const std::filesystem::path& file) {
  PskIniRead read;
  auto reader = FieldReader::open(file);
  if (!reader) return read;
  Field field;
  for (int line = 1; !reader->atEnd(); ++line) {
    if (reader->next(field) != FieldStatus::Ok) break;
    if (line <= kPskIniLines && !applyPskIniLine(line, field, read)) break;
  }
  return read;
}

std::string formatPskIni(const PskIniWrite& values) {
  std::string bytes;
  auto line = [&bytes](const std::string& text) { bytes += text + kLineEnd; };
  line(plainNumber(values.top));
  line(plainNumber(values.left));
  line(quotedText(values.ownCall));
  line(std::to_string(values.squelch));
  line(quotedText(values.searchHalfWidth));
  line(plainNumber(savedSize(values.width)));
  line(plainNumber(savedSize(values.height)));
  line(quotedText(values.smoothing));
  line(quotedText(values.bias));
  line(quotedText(values.commPort));
  return bytes;
}

bool writePskIni(const std::filesystem::path& file, const PskIniWrite& values) {
  return writeFileAtomically(file, formatPskIni(values));
}

std::optional<SoundIniRead> readSoundIni(const std::filesystem::path& file) {
  auto reader = FieldReader::open(file);
  if (!reader) return std::nullopt;
  Field field;
  if (reader->next(field) != FieldStatus::Ok) return std::nullopt;  // 0 bytes
  // A word or an empty first line is device 0, as the chooser always took it.
  const std::optional<int16_t> device = toInt16(fieldNumber(field).value_or(0.0));
  if (!device) return std::nullopt;
  SoundIniRead read{*device, std::nullopt};
  if (reader->next(field) == FieldStatus::Ok && field.quoted)
    read.name = fromCodePage(field.text, systemCodePage());
  return read;
}

std::string formatSoundIni(int16_t device, const std::string& name) {
  std::string bytes = paddedStyle(device) + kLineEnd;
  if (!name.empty()) bytes += quotedText(name) + kLineEnd;
  return bytes;
}

bool writeSoundIni(const std::filesystem::path& file, int16_t device, const std::string& name) {
  return writeFileAtomically(file, formatSoundIni(device, name));
}

}  // namespace quillary

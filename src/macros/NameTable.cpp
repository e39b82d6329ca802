#include "macros/NameTable.h"

#include <algorithm>

#include "common/CodePage.h"
#include "common/FieldReader.h"

namespace quillary {

namespace {

// A field of the log is text, kept as read (no number rule).
bool readText(FieldReader& reader, std::string& text) {
  Field field;
  if (reader.next(field) != FieldStatus::Ok) return false;
  text = fromCodePage(field.text, systemCodePage());
  return true;
}

}  // namespace

// The path is kept as the file system names it (UTF-8), so a folder named
// in Cyrillic under an English locale is found again; a file written in the
// code page before is still read.
std::optional<std::string> nameLogPathIn(FieldReader& nameIni) {
  Field field;
  if (nameIni.next(field) != FieldStatus::Ok) return std::nullopt;
  if (isUtf8(field.text)) return field.text;
  return fromCodePage(field.text, systemCodePage());
}

// A folder named "Ham, Radio" must not turn into "Ham" at the next start.
std::string formatNameIni(const std::string& nameLogPath) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };  // the reader skips these at a field's ends
  const bool cut = nameLogPath.find_first_of(",\r\n") != std::string::npos ||
                   (!nameLogPath.empty() && (blank(nameLogPath.front()) || blank(nameLogPath.back())));
  const bool quoted = cut && nameLogPath.find('"') == std::string::npos;
  return (quoted ? "\"" + nameLogPath + "\"" : nameLogPath) + "\r\n";
}

void readNameLog(FieldReader& reader, NameEntries& entries, int16_t& count) {
  for (int i = 1; !reader.atEnd(); ++i) {
    if (i > kNameTableSize) return;
    NameEntry& entry = entries[i - 1];
    if (!readText(reader, entry.call) || !readText(reader, entry.name)) return;
    count = static_cast<int16_t>(i);
  }
}

std::optional<std::string> findName(const NameEntries& entries, int16_t count,
                                    std::string_view call) {
  const auto used = entries.begin() + std::clamp<int>(count, 0, kNameTableSize);
  const auto found = std::find_if(entries.begin(), used,
                                  [call](const NameEntry& entry) { return entry.call == call; });
  if (found == used) return std::nullopt;
  return found->name;
}

bool fitsNameLog(std::string_view value) {
  const std::size_t first = value.find_first_not_of(" \t");
  return first == std::string_view::npos || value[first] != '"';
}

std::string nameLogLine(std::string_view call, std::string_view name) {
  std::string line(call);
  line += ',';
  line += name;
  return toCodePage(line, systemCodePage()) + "\r\n";
}

}  // namespace quillary

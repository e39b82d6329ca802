#include "logbook/Adif.h"

#include <optional>

namespace quillary {

namespace {

struct Tag {
  std::string name;                   // upper case
  std::optional<std::size_t> length;  // none for <EOH> and <EOR>
};

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// "CALL:6", "freq:8:N", "EOR"; nullopt when the length is not a number.
std::optional<Tag> parseTag(std::string_view inside) {
  const std::size_t colon = inside.find(':');
  Tag tag{upperAscii(trimmed(inside.substr(0, colon))), std::nullopt};
  if (colon == std::string_view::npos) return tag;
  std::string_view digits = inside.substr(colon + 1);
  digits = trimmed(digits.substr(0, digits.find(':')));
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  std::size_t length = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    length = length * 10 + static_cast<std::size_t>(c - '0');
  }
  tag.length = length;
  return tag;
}

std::size_t afterLineEnd(std::string_view bytes, std::size_t at) {
  while (at < bytes.size() && (bytes[at] == '\r' || bytes[at] == '\n' || bytes[at] == ' ')) ++at;
  return at;
}

}  // namespace

AdifRead readAdif(std::string_view bytes) {
  AdifRead read;
  LogRecord current;
  std::size_t pos = 0;
  while (true) {
    const std::size_t open = bytes.find('<', pos);
    if (open == std::string_view::npos) break;
    const std::size_t close = bytes.find('>', open);
    if (close == std::string_view::npos) break;
    const std::size_t inner = bytes.find('<', open + 1);
    if (inner < close) {  // a '<' in free text, and a tag after it
      pos = inner;
      continue;
    }
    const auto tag = parseTag(bytes.substr(open + 1, close - open - 1));
    if (!tag) {  // a '<' in free text
      pos = open + 1;
      continue;
    }
    pos = close + 1;
    if (tag->length) {
      if (*tag->length > bytes.size() - pos) break;  // cut in the middle of a value
      if (!tag->name.empty()) current.set(tag->name, std::string(bytes.substr(pos, *tag->length)));
      pos += *tag->length;
    } else if (tag->name == "EOH" || tag->name == "EOR") {
      // Fields before <EOH> describe the file, not a contact.
      if (tag->name == "EOR" && !current.fields().empty()) read.records.push_back(std::move(current));
      current = LogRecord();
      read.completeEnd = afterLineEnd(bytes, pos);
    }
  }
  return read;
}

std::string adifHeader() {
  return "Quillary log\r\n<ADIF_VER:5>3.1.0 <PROGRAMID:8>Quillary\r\n<EOH>\r\n";
}

std::string adifRecord(const LogRecord& record) {
  std::string line;
  for (const AdifField& field : record.fields()) {
    line += "<" + field.name + ":" + std::to_string(field.value.size()) + ">" + field.value + " ";
  }
  return line + "<EOR>\r\n";
}

std::string adifFile(const std::vector<LogRecord>& records) {
  std::string file = adifHeader();
  for (const LogRecord& record : records) file += adifRecord(record);
  return file;
}

}  // namespace quillary

#include "common/FieldReader.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "common/Numbers.h"

namespace quillary {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// Consumes the comma or line end at `pos`; CR LF counts as one line end.
void skipDelimiter(const std::string& bytes, std::size_t& pos) {
  if (pos >= bytes.size()) return;
  char c = bytes[pos++];
  if (c == '\r' && pos < bytes.size() && bytes[pos] == '\n') ++pos;
}

}  // namespace

FieldReader::FieldReader(std::string bytes) : bytes_(std::move(bytes)) {}

std::optional<std::string> readFileBytes(const std::filesystem::path& file, std::size_t limit) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> handle(std::fopen(file.c_str(), "rb"),
                                                         &std::fclose);
  if (!handle) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  std::size_t count;
  while (bytes.size() < limit &&
         (count = std::fread(buffer, 1, std::min(sizeof buffer, limit - bytes.size()), handle.get())) > 0)
    bytes.append(buffer, count);
  // A folder opens but does not read; that is an unreadable file, not an
  // empty one.
  if (std::ferror(handle.get())) return std::nullopt;
  return bytes;
}

std::optional<FieldReader> FieldReader::open(const std::filesystem::path& file, std::size_t limit) {
  std::optional<std::string> bytes = readFileBytes(file, limit);
  if (!bytes) return std::nullopt;
  return FieldReader(std::move(*bytes));
}

bool FieldReader::atEnd() const { return pos_ >= bytes_.size(); }

FieldStatus FieldReader::next(Field& field) {
  if (atEnd()) return FieldStatus::EndOfFile;
  field = Field{};
  while (pos_ < bytes_.size() && isBlank(bytes_[pos_])) ++pos_;

  if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
    field.quoted = true;
    std::size_t close = bytes_.find('"', pos_ + 1);
    // An unclosed quote takes the rest of the data rather than losing it.
    if (close == std::string::npos) close = bytes_.size();
    field.text = bytes_.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close < bytes_.size() ? close + 1 : close;
    while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !isLineEnd(bytes_[pos_])) ++pos_;
  } else {
    std::size_t start = pos_;
    while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !isLineEnd(bytes_[pos_])) ++pos_;
    std::size_t end = pos_;
    while (end > start && isBlank(bytes_[end - 1])) --end;
    field.text = bytes_.substr(start, end - start);
  }
  skipDelimiter(bytes_, pos_);
  return FieldStatus::Ok;
}

std::optional<double> fieldNumber(const Field& field) {
  if (field.quoted) return std::nullopt;
  return parseNumber(field.text);
}

std::string generalValueText(const Field& field) {
  // A number held as a general value keeps double precision, so a long
  // digit string such as a port or frequency text does not lose digits.
  if (auto number = fieldNumber(field)) return plainNumber(*number, 15);
  return field.text;
}

}  // namespace quillary

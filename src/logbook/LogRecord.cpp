#include "logbook/LogRecord.h"

#include <algorithm>

namespace quillary {

LogRecord::LogRecord(std::initializer_list<AdifField> fields) {
  for (const AdifField& field : fields) set(field.name, field.value);
}

std::string LogRecord::value(std::string_view name) const {
  for (const AdifField& field : fields_) {
    if (field.name == name) return field.value;
  }
  return {};
}

bool LogRecord::has(std::string_view name) const {
  return std::any_of(fields_.begin(), fields_.end(),
                     [name](const AdifField& field) { return field.name == name; });
}

void LogRecord::set(std::string_view name, std::string value) {
  const auto found = std::find_if(fields_.begin(), fields_.end(),
                                  [name](const AdifField& field) { return field.name == name; });
  if (value.empty()) {
    if (found != fields_.end()) fields_.erase(found);
  } else if (found != fields_.end()) {
    found->value = std::move(value);
  } else {
    fields_.push_back({std::string(name), std::move(value)});
  }
}

std::string upperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

}  // namespace quillary

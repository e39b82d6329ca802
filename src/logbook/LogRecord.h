#pragma once
// One contact of the log as ADIF holds it: named fields in the order they
// were read or written. Fields the program does not know (another logger's
// own, an award's) are kept as they came, so an imported or edited record
// loses nothing. Names are upper case; values are bytes (UTF-8 when written
// here).
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

struct AdifField {
  std::string name;
  std::string value;
  bool operator==(const AdifField&) const = default;
};

class LogRecord {
 public:
  LogRecord() = default;
  LogRecord(std::initializer_list<AdifField> fields);

  // The field's value; empty when the record has no such field.
  std::string value(std::string_view name) const;
  bool has(std::string_view name) const;
  // An empty value removes the field; a new field goes at the end.
  void set(std::string_view name, std::string value);

  const std::vector<AdifField>& fields() const { return fields_; }
  bool operator==(const LogRecord&) const = default;

 private:
  std::vector<AdifField> fields_;
};

// "call" -> "CALL", for field names read in any case.
std::string upperAscii(std::string_view text);

}  // namespace quillary

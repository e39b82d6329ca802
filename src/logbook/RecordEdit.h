#pragma once
// An operator's edit of one field of a logged contact, checked before it is
// written: a contact keeps its call, a date and a time ADIF can hold, and a
// frequency in MHz (whose band follows it).
#include <QString>
#include <optional>
#include <string>

#include "logbook/LogRecord.h"

namespace quillary {

struct EditResult {
  std::optional<LogRecord> record;
  QString problem;  // when no record
};

EditResult editedRecord(const LogRecord& record, const std::string& field, const QString& value);

}  // namespace quillary

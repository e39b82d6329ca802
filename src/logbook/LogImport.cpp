#include "logbook/LogImport.h"

#include <string>
#include <unordered_set>

namespace quillary {

namespace {

std::string contactKey(const LogRecord& record) {
  return upperAscii(record.value("CALL")) + " " + record.value("QSO_DATE") + " " +
         record.value("TIME_ON").substr(0, 4);
}

}  // namespace

ImportCount newContactsIn(const std::vector<LogRecord>& log, const std::vector<LogRecord>& imported) {
  std::unordered_set<std::string> known;
  for (const LogRecord& record : log) known.insert(contactKey(record));
  ImportCount count;
  for (const LogRecord& record : imported) {
    if (record.value("CALL").empty()) {
      ++count.withoutCall;
    } else if (!known.insert(contactKey(record)).second) {
      ++count.alreadyLogged;
    } else {
      count.added.push_back(record);
    }
  }
  return count;
}

}  // namespace quillary

#pragma once
// Contacts from another program's ADIF file, added to the log: a contact
// already in it (the same call at the same minute) is not added twice, so a
// file imported again adds nothing.
#include <vector>

#include "logbook/LogRecord.h"

namespace quillary {

struct ImportCount {
  std::vector<LogRecord> added;
  int alreadyLogged = 0;
  int withoutCall = 0;  // not a contact
};

ImportCount newContactsIn(const std::vector<LogRecord>& log, const std::vector<LogRecord>& imported);

}  // namespace quillary

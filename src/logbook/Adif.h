#pragma once
// ADIF 3.1 text (.adi): an optional header ended by <EOH>, then records of
// fields "<NAME:LENGTH>value" (a data type may follow the length), each
// record ended by <EOR>. Lengths count bytes; values are UTF-8 here.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "logbook/LogRecord.h"

namespace quillary {

struct AdifRead {
  std::vector<LogRecord> records;
  // Bytes from the start up to the end of the last whole record (or of the
  // header), with the line end after it: what follows is a record cut short.
  std::size_t completeEnd = 0;
};

// Reads any program's ADIF: fields in any order, tags in any case, fields
// this program does not know, a header or none, CR LF or LF. A record cut
// short at the end (a crash during a save) is left out; the records before
// it are read whole. Text between fields is ignored.
AdifRead readAdif(std::string_view bytes);

std::string adifHeader();
// One record on one line: its fields in order, then <EOR> and CR LF.
std::string adifRecord(const LogRecord& record);
// A whole file: the header and every record.
std::string adifFile(const std::vector<LogRecord>& records);

}  // namespace quillary

#pragma once
// Whether, when and how a call was worked before: one look-up in a hash
// table however long the log, kept up to date as contacts are added.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "logbook/LogRecord.h"

namespace quillary {

struct WorkedSummary {
  int contacts = 0;
  // The latest contact's date (YYYYMMDD), time, band and mode.
  std::string date;
  std::string time;
  std::string band;
  std::string mode;  // the submode where the record has one ("PSK31")
};

class WorkedBeforeIndex {
 public:
  void rebuild(const std::vector<LogRecord>& records);
  void add(const LogRecord& record);
  // nullptr when the call was never worked. Calls match without regard to
  // case or blanks around them.
  const WorkedSummary* find(std::string_view call) const;

 private:
  std::unordered_map<std::string, WorkedSummary> calls_;
};

// "Worked before: 2024-05-01 20m PSK31 (3 contacts)".
std::string workedBeforeText(const WorkedSummary& worked);

}  // namespace quillary

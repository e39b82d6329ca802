#include "logbook/WorkedBefore.h"

namespace quillary {

namespace {

std::string callKey(std::string_view call) {
  while (!call.empty() && call.front() == ' ') call.remove_prefix(1);
  while (!call.empty() && call.back() == ' ') call.remove_suffix(1);
  return upperAscii(call);
}

std::string readableDate(const std::string& date) {
  if (date.size() != 8) return date;
  return date.substr(0, 4) + "-" + date.substr(4, 2) + "-" + date.substr(6, 2);
}

}  // namespace

void WorkedBeforeIndex::rebuild(const std::vector<LogRecord>& records) {
  calls_.clear();
  for (const LogRecord& record : records) add(record);
}

void WorkedBeforeIndex::add(const LogRecord& record) {
  const std::string key = callKey(record.value("CALL"));
  if (key.empty()) return;
  WorkedSummary& worked = calls_[key];
  ++worked.contacts;
  const std::string date = record.value("QSO_DATE");
  const std::string time = record.value("TIME_ON");
  if (worked.contacts > 1 && date + time < worked.date + worked.time) return;
  worked.date = date;
  worked.time = time;
  worked.band = record.value("BAND");
  worked.mode = record.has("SUBMODE") ? record.value("SUBMODE") : record.value("MODE");
}

const WorkedSummary* WorkedBeforeIndex::find(std::string_view call) const {
  const auto found = calls_.find(callKey(call));
  return found == calls_.end() ? nullptr : &found->second;
}

std::string workedBeforeText(const WorkedSummary& worked) {
  std::string text = "Worked before: " + readableDate(worked.date);
  for (const std::string& part : {worked.band, worked.mode}) {
    if (!part.empty()) text += " " + part;
  }
  const int n = worked.contacts;
  return text + " (" + std::to_string(n) + (n == 1 ? " contact)" : " contacts)");
}

}  // namespace quillary

// The logbook with 100,000 contacts: the worked-before look-up made at every
// change of His Call, against the baseline of reading one record of ADIF in
// the same run; and reading the whole log at start-up.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "logbook/Adif.h"
#include "logbook/WorkedBefore.h"

namespace {

using quillary::LogRecord;

constexpr int kContacts = 100'000;

std::string callNumber(int n) { return "JA" + std::to_string(n % 10) + "X" + std::to_string(n); }

LogRecord contact(int n) {
  return {{"CALL", callNumber(n)},           {"QSO_DATE", "20240501"}, {"TIME_ON", "123456"},
          {"QSO_DATE_OFF", "20240501"},      {"TIME_OFF", "124512"},   {"MODE", "PSK"},
          {"SUBMODE", "PSK31"},              {"FREQ", "14.071600"},    {"BAND", "20m"},
          {"RST_SENT", "-12"},               {"RST_RCVD", "-10"},      {"NAME", "Taro"},
          {"STATION_CALLSIGN", "N0CALL"},    {"COMMENT", "sent :N0CALL/PHOTO; received :JA1XYZ/PHOTO"}};
}

const std::string& logOf100kContacts() {
  static const std::string bytes = [] {
    std::vector<LogRecord> records;
    records.reserve(kContacts);
    for (int n = 0; n < kContacts; ++n) records.push_back(contact(n % (kContacts / 2)));  // each call twice
    return quillary::adifFile(records);
  }();
  return bytes;
}

void BM_BaselineReadOneAdifRecord(benchmark::State& state) {
  const std::string record = quillary::adifRecord(contact(7));
  for (auto _ : state) benchmark::DoNotOptimize(quillary::readAdif(record));
}
BENCHMARK(BM_BaselineReadOneAdifRecord);

void BM_WorkedBeforeLookUpIn100kContacts(benchmark::State& state) {
  quillary::WorkedBeforeIndex index;
  index.rebuild(quillary::readAdif(logOf100kContacts()).records);
  int n = 0;
  for (auto _ : state) {
    // Half the calls asked for are in the log, typed in lower case.
    const std::string call = n % 2 ? callNumber(n % kContacts) : "ja1x" + std::to_string(n);
    benchmark::DoNotOptimize(index.find(call));
    ++n;
  }
}
BENCHMARK(BM_WorkedBeforeLookUpIn100kContacts);

void BM_ReadAndIndex100kContacts(benchmark::State& state) {
  for (auto _ : state) {
    quillary::WorkedBeforeIndex index;
    index.rebuild(quillary::readAdif(logOf100kContacts()).records);
    benchmark::DoNotOptimize(index.find("JA1X1"));
  }
  state.counters["MB"] = static_cast<double>(logOf100kContacts().size()) / 1e6;
}
BENCHMARK(BM_ReadAndIndex100kContacts)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

// Any bytes as an ADIF file to import: reading ends, the whole part lies
// within the bytes, and the records read, written as this log writes them,
// read back the same.
#include "FuzzSupport.h"
#include "logbook/Adif.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes = quillary::fuzz::bytesOf(data, size);
  const quillary::AdifRead read = quillary::readAdif(bytes);
  FUZZ_CHECK(read.completeEnd <= bytes.size());
  const std::string written = quillary::adifFile(read.records);
  const quillary::AdifRead again = quillary::readAdif(written);
  FUZZ_CHECK(again.records == read.records);
  FUZZ_CHECK(again.completeEnd == written.size());
  return 0;
}

// Any bytes as a name log: reading ends, never counts more than the table
// holds, and every counted entry is found by its call unless an earlier
// entry has the same call.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/FieldReader.h"
#include "macros/NameTable.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quillary::FieldReader reader(std::string(reinterpret_cast<const char*>(data), size));
  static quillary::NameEntries entries;
  int16_t count = 0;
  quillary::readNameLog(reader, entries, count);
  check(count >= 0 && count <= quillary::kNameTableSize);
  for (int i = 0; i < count; ++i) check(quillary::findName(entries, count, entries[i].call).has_value());
  return 0;
}

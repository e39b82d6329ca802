// Any bytes as a name log and as "name.ini". The log: reading ends, never
// counts more than the table holds, and every counted entry is found by
// its call unless an earlier entry has the same call. "name.ini": the path
// read from it, written again and read back, is the same path.
#include "FuzzSupport.h"
#include "common/FieldReader.h"
#include "macros/NameTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes = quillary::fuzz::bytesOf(data, size);
  quillary::FieldReader log(bytes);
  static quillary::NameEntries entries;
  int16_t count = 0;
  quillary::readNameLog(log, entries, count);
  FUZZ_CHECK(count >= 0 && count <= quillary::kNameTableSize);
  for (int i = 0; i < count; ++i) FUZZ_CHECK(quillary::findName(entries, count, entries[i].call).has_value());

  quillary::FieldReader nameIni(bytes);
  const std::optional<std::string> path = quillary::nameLogPathIn(nameIni);
  if (!path) return 0;
  quillary::FieldReader written(quillary::formatNameIni(*path));
  FUZZ_CHECK(quillary::nameLogPathIn(written) == path);
  return 0;
}

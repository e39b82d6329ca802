// Any bytes: the reader ends, every field makes progress, and the number
// helpers agree with each other.
#include "FuzzSupport.h"
#include "common/FieldReader.h"
#include "common/Numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quillary::FieldReader reader(quillary::fuzz::bytesOf(data, size));
  quillary::Field field;
  std::size_t fields = 0;
  while (!reader.atEnd()) {
    FUZZ_CHECK(reader.next(field) == quillary::FieldStatus::Ok);
    FUZZ_CHECK(++fields <= size);  // each field consumes at least one byte
    if (auto number = quillary::fieldNumber(field)) {
      // A number written in plain decimal reads back as a number, and a
      // whole-text number is also its own longest leading number.
      FUZZ_CHECK(quillary::parseNumber(quillary::generalValueText(field)).has_value());
      FUZZ_CHECK(quillary::leadingNumber(field.text) == *number);
    }
  }
  FUZZ_CHECK(reader.next(field) == quillary::FieldStatus::EndOfFile);
  return 0;
}

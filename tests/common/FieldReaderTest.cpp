#include "common/FieldReader.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillary {
namespace {

using Fields = std::vector<std::string>;

TEST(FieldReader, SeparatorsBlanksQuotesAndEmptyLines) {
  const std::pair<const char*, Fields> cases[] = {
      {"a,b\r\nc\rd\ne", {"a", "b", "c", "d", "e"}},
      {"  my name  ,\tx", {"my name", "x"}},
      {"  \" x \" junk,next\r\n", {" x |q", "next"}},
      {"\"open, still\r\nhere", {"open, still\r\nhere|q"}},  // unclosed: runs to the end
      {"\r\n", {""}},  // an empty field, told apart from the end of the file
      {"", {}},
  };
  for (const auto& [bytes, expected] : cases) {
    FieldReader reader(bytes);
    Fields fields;
    Field field;
    while (!reader.atEnd()) {
      EXPECT_EQ(reader.next(field), FieldStatus::Ok);
      fields.push_back(field.quoted ? field.text + "|q" : field.text);
    }
    EXPECT_EQ(reader.next(field), FieldStatus::EndOfFile);
    EXPECT_EQ(fields, expected) << bytes;
  }
}

TEST(FieldNumber, UnquotedNumbersOnlyAndTheirPlainDecimalText) {
  EXPECT_EQ(fieldNumber({"-1.5e2", false}), -150.0);
  for (const Field& notANumber : {Field{"073", true}, Field{"12abc", false}, Field{"&H10", false}}) {
    EXPECT_EQ(fieldNumber(notANumber), std::nullopt) << notANumber.text;
  }
  const std::pair<Field, const char*> texts[] = {
      {{"073", false}, "73"}, {{"1e3", false}, "1000"}, {{"073", true}, "073"}, {{"N0CALL", false}, "N0CALL"}};
  for (const auto& [field, text] : texts) EXPECT_EQ(generalValueText(field), text) << field.text;
}

}  // namespace
}  // namespace quillary

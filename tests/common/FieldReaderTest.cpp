#include "common/FieldReader.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillary {
namespace {

using Fields = std::vector<std::string>;

// Every field of `bytes`, with a "|q" mark on quoted ones.
Fields readAll(std::string bytes) {
  FieldReader reader(std::move(bytes));
  Fields fields;
  Field field;
  while (!reader.atEnd()) {
    EXPECT_EQ(reader.next(field), FieldStatus::Ok);
    fields.push_back(field.quoted ? field.text + "|q" : field.text);
  }
  EXPECT_EQ(reader.next(field), FieldStatus::EndOfFile);
  return fields;
}

TEST(FieldReader, SeparatorsBlanksQuotesAndEmptyLines) {
  const std::pair<const char*, Fields> cases[] = {
      {"a,b\r\nc\rd\ne", {"a", "b", "c", "d", "e"}},
      {"a\r\n", {"a"}},
      {"a,", {"a"}},
      {"a,,b", {"a", "", "b"}},
      {" 2 \r\n", {"2"}},
      {"  my name  ,\tx", {"my name", "x"}},
      {"\"a, b\"\r\n", {"a, b|q"}},
      {"  \" x \" junk,next\r\n", {" x |q", "next"}},
      {"\"\"\r\n\"50\"", {"|q", "50|q"}},
      {"\"two\r\nlines\"\r\n", {"two\r\nlines|q"}},
      {"\"open, still\r\nhere", {"open, still\r\nhere|q"}},  // unclosed: runs to the end
      {"\r\n\r\nx", {"", "", "x"}},
      {"\n\r", {"", ""}},  // LF, then a CR alone
      {"   ", {""}},
      {"\r\n", {""}},  // an empty field, told apart from the end of the file
      {"", {}},
  };
  for (const auto& [bytes, fields] : cases) EXPECT_EQ(readAll(bytes), fields) << bytes;
}

TEST(FieldNumber, UnquotedNumbersOnlyAndTheirPlainDecimalText) {
  EXPECT_EQ(fieldNumber({"073", false}), 73.0);
  EXPECT_EQ(fieldNumber({"-1.5e2", false}), -150.0);
  EXPECT_EQ(fieldNumber({".5", false}), 0.5);
  for (const Field& notANumber : {Field{"073", true}, Field{"", false}, Field{"12abc", false},
                                  Field{"&H10", false}, Field{"Inf", false}}) {
    EXPECT_EQ(fieldNumber(notANumber), std::nullopt) << notANumber.text;
  }
  const std::pair<Field, const char*> texts[] = {
      {{"073", false}, "73"},   {{"5.50", false}, "5.5"},  {{"-0", false}, "0"},
      {{"1e3", false}, "1000"}, {{"123456789012", false}, "123456789012"},
      {{"073", true}, "073"},   {{"N0CALL", false}, "N0CALL"}};
  for (const auto& [field, text] : texts) EXPECT_EQ(generalValueText(field), text) << field.text;
}

}  // namespace
}  // namespace quillary

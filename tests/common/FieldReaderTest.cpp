#include "common/FieldReader.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

#include <fstream>
#include <vector>

namespace quillary {
namespace {

// Every field of `bytes`, with a "|q" mark on quoted ones.
std::vector<std::string> readAll(std::string bytes) {
  FieldReader reader(std::move(bytes));
  std::vector<std::string> fields;
  Field field;
  while (!reader.atEnd()) {
    EXPECT_EQ(reader.next(field), FieldStatus::Ok);
    fields.push_back(field.quoted ? field.text + "|q" : field.text);
  }
  EXPECT_EQ(reader.next(field), FieldStatus::EndOfFile);
  return fields;
}

using Fields = std::vector<std::string>;

TEST(FieldReader, CommasAndEveryKindOfLineEndSeparate) {
  EXPECT_EQ(readAll("a,b\r\nc\rd\ne"), (Fields{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(readAll("a\r\n"), (Fields{"a"}));
  EXPECT_EQ(readAll("a,"), (Fields{"a"}));
  EXPECT_EQ(readAll("a,,b"), (Fields{"a", "", "b"}));
}

TEST(FieldReader, BlanksAroundAnUnquotedFieldAreDropped) {
  EXPECT_EQ(readAll(" 2 \r\n"), (Fields{"2"}));
  EXPECT_EQ(readAll("  my name  ,\tx"), (Fields{"my name", "x"}));
}

TEST(FieldReader, QuotedFieldKeepsCommasAndSkipsWhatFollowsTheQuote) {
  EXPECT_EQ(readAll("\"a, b\"\r\n"), (Fields{"a, b|q"}));
  EXPECT_EQ(readAll("  \" x \" junk,next\r\n"), (Fields{" x |q", "next"}));
  EXPECT_EQ(readAll("\"\"\r\n\"50\""), (Fields{"|q", "50|q"}));
  EXPECT_EQ(readAll("\"two\r\nlines\"\r\n"), (Fields{"two\r\nlines|q"}));
}

TEST(FieldReader, UnclosedQuoteRunsToTheEnd) {
  EXPECT_EQ(readAll("\"open, still\r\nhere"), (Fields{"open, still\r\nhere|q"}));
}

TEST(FieldReader, EmptyLinesGiveEmptyFields) {
  EXPECT_EQ(readAll("\r\n\r\nx"), (Fields{"", "", "x"}));
  EXPECT_EQ(readAll("\n\r"), (Fields{"", ""}));  // LF, then a CR alone
  EXPECT_EQ(readAll("   "), (Fields{""}));
}

TEST(FieldReader, EndOfFileIsToldApartFromAnEmptyField) {
  FieldReader empty("");
  Field field;
  EXPECT_TRUE(empty.atEnd());
  EXPECT_EQ(empty.next(field), FieldStatus::EndOfFile);

  FieldReader blankLine("\r\n");
  EXPECT_FALSE(blankLine.atEnd());
  field.text = "stale";
  EXPECT_EQ(blankLine.next(field), FieldStatus::Ok);
  EXPECT_EQ(field.text, "");
  EXPECT_TRUE(blankLine.atEnd());
  EXPECT_EQ(blankLine.next(field), FieldStatus::EndOfFile);
}

TEST(FieldReader, OpenReadsAFileAndRefusesWhatCannotBeRead) {
  testing::TempFolder temp;
  const auto& folder = temp.path();
  {
    std::ofstream out(folder / "f.txt", std::ios::binary);
    out << "\"T\"\r\n1,2";
  }
  auto reader = FieldReader::open(folder / "f.txt");
  ASSERT_TRUE(reader.has_value());
  Field field;
  ASSERT_EQ(reader->next(field), FieldStatus::Ok);
  EXPECT_EQ(field.text, "T");
  EXPECT_TRUE(field.quoted);

  EXPECT_FALSE(FieldReader::open(folder / "missing.txt").has_value());
  EXPECT_FALSE(FieldReader::open(folder).has_value());  // a folder
}

TEST(FieldNumber, UnquotedNumbersOnly) {
  EXPECT_EQ(fieldNumber({"073", false}), 73.0);
  EXPECT_EQ(fieldNumber({"-1.5e2", false}), -150.0);
  EXPECT_EQ(fieldNumber({".5", false}), 0.5);
  EXPECT_EQ(fieldNumber({"073", true}), std::nullopt);
  EXPECT_EQ(fieldNumber({"", false}), std::nullopt);
  EXPECT_EQ(fieldNumber({"12abc", false}), std::nullopt);
  EXPECT_EQ(fieldNumber({"&H10", false}), std::nullopt);
  EXPECT_EQ(fieldNumber({"Inf", false}), std::nullopt);
}

TEST(GeneralValueText, NumbersComeBackInPlainDecimal) {
  EXPECT_EQ(generalValueText({"073", false}), "73");
  EXPECT_EQ(generalValueText({"5.50", false}), "5.5");
  EXPECT_EQ(generalValueText({"-0", false}), "0");
  EXPECT_EQ(generalValueText({"1e3", false}), "1000");
  EXPECT_EQ(generalValueText({"123456789012", false}), "123456789012");
  EXPECT_EQ(generalValueText({"073", true}), "073");
  EXPECT_EQ(generalValueText({"N0CALL", false}), "N0CALL");
}

TEST(FieldReader, NumbersReadFromAFileLine) {
  FieldReader reader("073\r\n5.50\r\n");
  Field field;
  ASSERT_EQ(reader.next(field), FieldStatus::Ok);
  EXPECT_EQ(generalValueText(field), "73");
  ASSERT_EQ(reader.next(field), FieldStatus::Ok);
  EXPECT_EQ(generalValueText(field), "5.5");
}

}  // namespace
}  // namespace quillary

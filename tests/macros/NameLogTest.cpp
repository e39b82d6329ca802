#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "common/FieldReader.h"
#include "macros/NameTable.h"
#include "support/Form1Harness.h"
#include "support/OperatorInput.h"

namespace quillary::testing {
namespace {

TEST(NameTable, PairsAcrossLinesTheFirst500AndWhatACutOffPairLeaves) {
  NameEntries entries;
  int16_t count = 0;
  std::string log;
  for (int i = 1; i <= 600; ++i) log += "C" + std::to_string(i) + ",N" + std::to_string(i) + "\r\n";
  FieldReader big(log);
  readNameLog(big, entries, count);
  EXPECT_EQ(count, 500);
  EXPECT_EQ(findName(entries, count, "C500"), "N500");
  EXPECT_EQ(findName(entries, count, "C501"), std::nullopt);

  // A comma in a saved name splits it: its second part pairs with the next
  // line's first field; a last field alone is not counted. Entries above
  // the new count stay, unseen.
  FieldReader comma(nameLogLine("CALLONE", "A, B") + "X\r\nCALLONE,LATER\r\nZ\r\n");
  readNameLog(comma, entries, count);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(findName(entries, count, "CALLONE"), "A");
  EXPECT_EQ(findName(entries, count, "B"), "X");
  EXPECT_EQ(entries[3].call, "Z");
  EXPECT_EQ(findName(entries, count, "callone"), std::nullopt);
}

class NameLog : public ::testing::Test {
 protected:
  void writeLog(const char* file, const std::string& bytes) { writeBytes(h.file(file), bytes); }
  void pointNameIniAt(const char* file) { writeBytes(h.file("name.ini"), h.file(file).string() + "\r\n"); }
  void saveName(Dialogs::Answer answer) {
    h.dialogs.answers = {answer};
    QTest::mouseDClick(c().Text6, Qt::LeftButton);
  }
  Form1Controls& c() { return h.controls(); }

  Form1Harness h;
};

// A name with a comma is stored as typed and read back by the reader's
// rules: the name ends at the comma. A leading double quote would open a
// quoted field running on across the lines after it: such a pair is refused;
// a quote inside a name reads back as typed.
TEST_F(NameLog, SaveAppendsExactlyOneLineOnlyWhenAskedAndTheLogIsReadAgain) {
  writeLog("name.txt", "OLD,ONE\r\n");
  pointNameIniAt("name.txt");
  h.load();
  const auto save = [this](const char* call, const char* name, Dialogs::Answer answer) {
    retype(c().Text27, call);
    retype(c().Text6, name);
    saveName(answer);
  };
  save("CALLTWO", "Ta\"ro", Dialogs::Answer::No);
  EXPECT_EQ(readBytes(h.file("name.txt")), "OLD,ONE\r\n");
  save("CALLTWO", "Ta\"ro", Dialogs::Answer::Yes);
  save("\"QUOTED", "Taro", Dialogs::Answer::Yes);
  save("CALLTHREE", " \"Taro", Dialogs::Answer::Yes);
  save("CALLFOUR", "A, B", Dialogs::Answer::Yes);
  const QString refused = "A call or name beginning with \" cannot be saved !!";
  EXPECT_EQ(h.dialogs.texts(), QStringList({"Save name ??", "Save name ??", refused, refused, "Save name ??"}));
  EXPECT_EQ(readBytes(h.file("name.txt")), "OLD,ONE\r\nCALLTWO,Ta\"ro\r\nCALLFOUR,A, B\r\n");
  retype(c().Text27, "CALLTWO");
  EXPECT_EQ(c().Text6->text(), "Ta\"ro");
  retype(c().Text27, "CALLFOUR");
  EXPECT_EQ(c().Text6->text(), "A");
  retype(c().Text6, "Hanako");
  EXPECT_EQ(h.state().hisName, "Hanako");
}

TEST_F(NameLog, TheChosenLogIsUsedUntilAnOlderNameIniTakesItsPlaceBack) {
  writeLog("name.txt", "CALLONE,CHOSEN\r\n");
  h.load();
  h.dialogs.files = {QString::fromStdString(h.file("name.txt").string())};
  QTest::mouseClick(c().Command11, Qt::LeftButton);
  retype(c().Text27, "CALLONE");
  EXPECT_EQ(c().Text6->text(), "CHOSEN");

  writeLog("older.txt", "CALLONE,OLDER\r\n");
  pointNameIniAt("older.txt");
  retype(c().Text27, "CALLONE");
  EXPECT_EQ(c().Text6->text(), "OLDER");
  h.close();
  EXPECT_EQ(readBytes(h.file("name.ini")), h.file("older.txt").string() + "\r\n");
}

}  // namespace
}  // namespace quillary::testing

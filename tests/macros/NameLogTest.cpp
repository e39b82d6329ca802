// The station name log: reading pairs, saving one, choosing the log; and
// logs the operator did not expect, which lose nothing.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "common/FieldReader.h"
#include "macros/CappedFile.h"
#include "macros/NameTable.h"
#include "support/ConsoleLines.h"
#include "support/Form1Harness.h"

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

namespace fs = std::filesystem;

const std::string kFirstPair = "CALLONE,NAMEONE\r\n";
const std::string kSaved = "CALLTWO,NAMETWO\r\n";

enum class LogIs { File, Missing, Folder, Link };

struct Case {
  const char* what;
  LogIs is;
  std::string log;           // the log's bytes before
  const char* shown;         // Text6 for CALLONE
  const char* saved;         // Text6 for CALLTWO once its pair was saved
  std::string after = "";    // the log's bytes after; empty: before + the pair
};

TEST(NameLogFaults, OddLogsAreReadAndSavedIntoWithoutLosingAByte) {
  const std::string overCap = kFirstPair + "BIG," + std::string(kNameLogReadLimit, 'x') + "\r\n";
  const Case cases[] = {
      {"missing log", LogIs::Missing, "", "OM", "NAMETWO"},
      {"a folder", LogIs::Folder, "", "OM", "OM"},
      // The pair saved lies beyond the cap, which is all a look-up reads.
      {"just over the read cap", LogIs::File, overCap, "NAMEONE", "OM"},
      {"NUL bytes", LogIs::File, std::string("CALL\0X,NA\0ME\r\n", 14) + kFirstPair, "NAMEONE", "NAMETWO"},
      {"no line end at the end", LogIs::File, "CALLONE,NAMEONE", "NAMEONE", "NAMETWO", kFirstPair + kSaved},
      {"a link to the log, group-readable", LogIs::Link, kFirstPair, "NAMEONE", "NAMETWO"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Form1Harness h;
    const fs::path log = h.file("log") / "name.txt", real = h.file("real.txt");
    fs::create_directory(h.file("log"));
    if (k.is == LogIs::Folder) fs::create_directory(log);
    if (k.is == LogIs::File) writeBytes(log, k.log);
    if (k.is == LogIs::Link) {
      writeBytes(real, k.log);
      fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
      fs::create_symlink("../real.txt", log);
    }
    writeBytes(h.file("name.ini"), log.string() + "\r\n");

    ConsoleLines console;
    h.load();
    Form1Controls& c = h.controls();
    retype(c.Text27, "CALLONE");
    EXPECT_EQ(c.Text6->text(), k.shown);
    retype(c.Text27, "CALLTWO");
    retype(c.Text6, "NAMETWO");
    h.dialogs.answers = {Dialogs::Answer::Yes};
    QTest::mouseDClick(c.Text6, Qt::LeftButton);
    retype(c.Text27, "CALLTWO");
    EXPECT_EQ(c.Text6->text(), k.saved);
    h.close();

    EXPECT_EQ(console.all().contains("is larger than"), k.log.size() > kNameLogReadLimit) << console.all().toStdString();
    if (k.is == LogIs::Folder) {
      EXPECT_TRUE(fs::is_directory(log)) << "the folder is left alone";
    } else {
      EXPECT_EQ(readBytes(log), k.after.empty() ? k.log + kSaved : k.after);
    }
    if (k.is == LogIs::Link) {
      EXPECT_TRUE(fs::is_symlink(log));
      EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
                fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    }
    EXPECT_EQ(readBytes(h.file("name.ini")), log.string() + "\r\n");
  }
}

// The tab at the end was found by fuzzing: the reader drops it, so such a
// path is quoted as a comma's is. An ordinary path is written as it is, and
// one written in the code page by an older version is still read.
TEST(NameLogFaults, NameIniGivesEveryPathBackWhole) {
  for (const std::string path : {"/home/op/Ham, Radio/name.txt", "/tmp/trailing tab\t", " leading blank",
                                 "/line\r\nend", "C:\\Ravelite\\Ini\\name.txt", "/home/op/Журнал/name.txt"}) {
    FieldReader reader(formatNameIni(path));
    EXPECT_EQ(nameLogPathIn(reader), path);
  }
  EXPECT_EQ(formatNameIni("/home/op/name.txt"), "/home/op/name.txt\r\n");
  FieldReader older("C:\\Caf\xE9\\name.txt\r\n");
  EXPECT_EQ(nameLogPathIn(older), "C:\\Café\\name.txt");
}

// Under an English locale the code page holds no Cyrillic: the path is kept
// as the file system names it. Junk after it beyond the cap is not read.
TEST(NameLogFaults, ALogInACyrillicFolderWithACommaIsFoundAgainAtTheNextStart) {
  Form1Harness first;
  const fs::path log = first.file("Ham, Радио") / "name.txt";
  fs::create_directory(log.parent_path());
  writeBytes(log, kFirstPair);
  first.load();
  first.dialogs.files = {QString::fromStdString(log.string())};
  QTest::mouseClick(first.controls().Command11, Qt::LeftButton);  // "Name"
  first.close();
  const std::string nameIni = readBytes(first.file("name.ini"));
  EXPECT_EQ(nameIni, "\"" + log.string() + "\"\r\n");

  Form1Harness next;
  writeBytes(next.file("name.ini"), nameIni + std::string(kNameIniReadLimit, 'x'));
  ConsoleLines console;
  next.load();
  retype(next.controls().Text27, "CALLONE");
  EXPECT_EQ(next.controls().Text6->text(), "NAMEONE");
  EXPECT_TRUE(console.all().contains("name.ini is larger than")) << console.all().toStdString();
}

}  // namespace
}  // namespace quillary::testing

// Logs the operator did not expect: missing, a folder, just over the read
// cap, NUL bytes, a last line without its line end, a symbolic link. The
// window starts, looks names up, saves as far as the file allows and loses
// nothing; "name.ini" comes out as it went in, whatever the path holds.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "common/FieldReader.h"
#include "macros/CappedFile.h"
#include "macros/NameTable.h"
#include "support/ConsoleLines.h"
#include "support/Form1Harness.h"
#include "support/OperatorInput.h"

namespace quillary::testing {
namespace {

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

// "name.ini" pointing at trouble: a log that is missing, a folder, a
// 100 MB file, a log with NUL bytes. The window starts, looks names up and
// saves them as far as the file allows, loses nothing and keeps working;
// "name.ini" comes out as it went in, also for a path with a comma.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "common/FieldReader.h"
#include "macros/NameTable.h"
#include "support/Form1Harness.h"
#include "support/OperatorInput.h"

namespace quillary::testing {
namespace {

namespace fs = std::filesystem;

const std::string kFirstPair = "CALLONE,NAMEONE\r\n";

struct Case {
  const char* what;
  std::string log;      // written as the log's bytes; empty: no file
  bool folder = false;  // the log's path is a folder
  const char* shown;    // Text6 for CALLONE
  const char* saved;    // Text6 for CALLTWO once its pair was saved
};

TEST(NameLogFaults, NameIniPointingAtAMissingLogAFolderAHugeFileOrNulBytes) {
  std::string hugeLog = kFirstPair;  // about 100 MB
  while (hugeLog.size() < 100 * 1024 * 1024) hugeLog += "FILLER,NAME OF A STATION WORKED LONG AGO\r\n";
  const Case cases[] = {
      {"missing log", "", false, "OM", "NAMETWO"},
      {"a folder", "", true, "OM", "OM"},
      // Saved beyond the first 500 pairs, which are all a look-up sees.
      {"100 MB log", hugeLog, false, "NAMEONE", "OM"},
      {"NUL bytes", std::string("CALL\0X,NA\0ME\r\n", 14) + kFirstPair, false, "NAMEONE", "NAMETWO"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Form1Harness h;
    const fs::path log = h.file("log") / "name.txt";
    fs::create_directory(h.file("log"));
    if (k.folder) fs::create_directory(log);
    if (!k.log.empty()) writeBytes(log, k.log);
    writeBytes(h.file("name.ini"), log.string() + "\r\n");

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
    EXPECT_TRUE(c.Text5->isEnabled());
    h.close();

    if (k.folder) {
      EXPECT_TRUE(fs::is_directory(log)) << "the folder is left alone";
    } else {
      EXPECT_EQ(readBytes(log), k.log + "CALLTWO,NAMETWO\r\n") << "nothing of the old log lost, the pair added";
    }
    EXPECT_EQ(readBytes(h.file("name.ini")), log.string() + "\r\n");
  }
}

// The tab at the end was found by fuzzing: the reader drops it, so such a
// path is quoted as a comma's is. An ordinary path is written as it is.
TEST(NameLogFaults, NameIniGivesEveryPathBackWhole) {
  for (const std::string path : {"/home/op/Ham, Radio/name.txt", "/tmp/trailing tab\t", " leading blank",
                                 "/line\r\nend", "C:\\Ravelite\\Ini\\name.txt"}) {
    FieldReader reader(formatNameIni(path));
    EXPECT_EQ(nameLogPathIn(reader), path);
  }
  EXPECT_EQ(formatNameIni("/home/op/name.txt"), "/home/op/name.txt\r\n");
}

TEST(NameLogFaults, ALogPathWithACommaComesBackWholeAtTheNextStart) {
  Form1Harness first;
  const fs::path log = first.file("Ham, Radio") / "name.txt";
  fs::create_directory(log.parent_path());
  writeBytes(log, kFirstPair);
  first.load();
  first.dialogs.files = {QString::fromStdString(log.string())};
  QTest::mouseClick(first.controls().Command11, Qt::LeftButton);  // "Name"
  first.close();
  const std::string nameIni = readBytes(first.file("name.ini"));

  Form1Harness next;
  writeBytes(next.file("name.ini"), nameIni);
  next.load();
  EXPECT_EQ(next.state().nameLogPath, log.string());
  retype(next.controls().Text27, "CALLONE");
  EXPECT_EQ(next.controls().Text6->text(), "NAMEONE");
}

}  // namespace
}  // namespace quillary::testing

// A program folder that cannot be written (made through the atomic-write
// seam: root, who runs the tests, passes every permission bit). The
// operator starts, edits a macro, saves a name and closes: every old file
// is as it was, no file is added, and one message box told him.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

#include "macros/MacroEditor.h"
#include "support/FileFaults.h"
#include "support/Form1Harness.h"

namespace quillary::testing {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> filesIn(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) files[entry.path().filename()] = readBytes(entry.path());
  return files;
}

TEST(ReadOnlyFolder, StartEditMacrosSaveANameAndCloseLoseNothingWithOneMessage) {
  Form1Harness h;
  const fs::path folder = h.file("psk.ini").parent_path();
  writeBytes(h.file("psk.ini"), "100\r\n200\r\n\"OLDCALL\"\r\n10\r\n\"50\"\r\n5085\r\n6165\r\n\"3\"\r\n\"1\"\r\n\"0\"\r\n");
  writeBytes(h.file("sound.ini"), " 0 \r\n");
  writeBytes(h.file("name.txt"), "CALLONE,NAMEONE\r\n");
  writeBytes(h.file("name.ini"), h.file("name.txt").string() + "\r\n");
  for (int k = 1; k <= 6; ++k)  // menu 7 was never stored
    writeBytes(h.file(("cmd" + std::to_string(k) + ".txt").c_str()), "Old " + std::to_string(k) + "\r\nold text\r\n");
  const auto before = filesIn(folder);
  ReadOnlyFolder readOnly(folder);

  h.load();
  Form1Controls& c = h.controls();
  EXPECT_EQ(c.Command9[0]->text(), "Old 1");
  QTest::mouseClick(c.Command8, Qt::LeftButton);  // "Macro"
  auto* editor = h.form().findChild<MacroEditor*>("frmMacro");
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor->Text2[0], " edited");
  editor->close();
  EXPECT_EQ(c.Command9[0]->text(), "Old 1 edited") << "the session goes on with the edit";

  retype(c.Text27, "CALLTWO");
  retype(c.Text6, "NAMETWO");
  h.dialogs.answers = {Dialogs::Answer::Yes};
  QTest::mouseDClick(c.Text6, Qt::LeftButton);
  retype(c.Text4, "NEWCALL");
  h.close();

  EXPECT_EQ(filesIn(folder), before) << "every old file as it was, nothing added";
  EXPECT_GE(readOnly.refused(), 5) << "cmd7, the macros, the name, psk.ini, sound.ini and name.ini were tried";
  QStringList told = h.dialogs.texts();
  told.removeAll(QStringLiteral("Save name ??"));
  ASSERT_EQ(told.size(), 1) << told.join(" | ").toStdString();
  EXPECT_TRUE(told[0].contains("cmd7.txt")) << told[0].toStdString();
}

}  // namespace
}  // namespace quillary::testing

// Shut-down: the unload sequence, "Set Sound", and a program folder that
// cannot be written.
#include <QComboBox>
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

std::string twipsLine(double twips) { return std::to_string(std::lround(twips)) + "\r\n"; }

TEST(UnloadSequence, StopsTheModemThenWritesPskIniAndSoundIniByteExactLeavingNameIni) {
  Form1Harness h(2);
  writeBytes(h.file("name.ini"), "\r\n");  // names no log: the path stays empty
  // A time long past: a file written again, even with the same bytes, shows a new one.
  const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 365);
  std::filesystem::last_write_time(h.file("name.ini"), past);
  h.load();
  Form1Controls& c = h.controls();
  retype(c.Text4, "JA1ABC");
  typeInto(c.Combo4, "100");
  pickItem(c.Combo1, "4");
  typeInto(c.Combo2, "30");
  typeInto(c.Combo5, "3");
  h.state().squelch = 42;
  h.modem.clearCalls();
  h.close();
  EXPECT_EQ(h.modem.calls(), std::vector<std::string>{"fnStopSoundCard()"});
  EXPECT_EQ(readBytes(h.file("psk.ini")),
            twipsLine(h.form().topTwips()) + twipsLine(h.form().leftTwips()) +
                "\"JA1ABC\"\r\n42\r\n\"100\"\r\n5085\r\n6165\r\n\"4\"\r\n\"30\"\r\n\"3\"\r\n");
  EXPECT_EQ(readBytes(h.file("sound.ini")), " 2 \r\n");
  EXPECT_EQ(std::filesystem::last_write_time(h.file("name.ini")), past) << "no name log path: left as it was";
}

TEST(UnloadSequence, AWindowDestroyedWhileOpenStopsTheModemOnceAndSavesItsSettings) {
  ensureQtApplication();
  RecordingModem modem;
  FakeDialogs dialogs;
  FakeRadio radio;
  TempFolder folder;
  {
    Form1 form(modem, dialogs, radio, folder.path(), 5);
    form.show();
    form.close();
    form.close();
  }
  EXPECT_EQ(modem.callsOf("fnStopSoundCard").size(), 1u);
  {
    Form1 form(modem, dialogs, radio, folder.path(), 7);
    form.show();
  }
  EXPECT_EQ(modem.callsOf("fnStopSoundCard").size(), 2u);
  EXPECT_EQ(readBytes(folder.path() / "sound.ini"), " 7 \r\n");
}

TEST(UnloadSequence, AFileThatCannotBeWrittenDoesNotStopTheOthers) {
  Form1Harness h(1);
  std::filesystem::create_directory(h.file("psk.ini"));
  h.load();
  h.state().nameLogPath = "/logs/name.txt";
  h.close();  // psk.ini cannot replace the folder in its place
  EXPECT_TRUE(std::filesystem::is_directory(h.file("psk.ini")));
  EXPECT_EQ(readBytes(h.file("sound.ini")), " 1 \r\n");
  EXPECT_EQ(readBytes(h.file("name.ini")), "/logs/name.txt\r\n");
}

TEST(SetSound, YesDeletesSoundIniAndClosesTheWindowNoKeepsAll) {
  for (const bool yes : {true, false}) {
    SCOPED_TRACE(yes ? "Yes" : "No");
    Form1Harness h(2);
    writeBytes(h.file("sound.ini"), " 2 \r\n");
    h.load();
    h.dialogs.answers.push_back(yes ? Dialogs::Answer::Yes : Dialogs::Answer::No);
    QTest::mouseClick(h.controls().Command10, Qt::LeftButton);
    QStringList texts{"Do you want to set Sound Boad ??"};
    if (yes) texts << "Restart program !!!!";
    EXPECT_EQ(h.dialogs.texts(), texts);
    EXPECT_EQ(h.form().isVisible(), !yes);
    EXPECT_EQ(h.modem.callsOf("fnStopSoundCard").size(), yes ? 1u : 0u);
    EXPECT_EQ(std::filesystem::exists(h.file("sound.ini")), !yes);
    EXPECT_EQ(std::filesystem::exists(h.file("psk.ini")), yes);
  }
}

// A program folder that cannot be written (made through the atomic-write
// seam: root, who runs the tests, passes every permission bit). The
// operator starts, edits a macro, saves a name and closes: every old file
// is as it was, no file is added, and one message box told him.
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

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "support/Form1Harness.h"

namespace quillary::testing {
namespace {

std::string twipsLine(double twips) { return std::to_string(std::lround(twips)) + "\r\n"; }

TEST(UnloadSequence, StopsTheModemThenWritesPskIniAndSoundIniByteExactLeavingNameIni) {
  Form1Harness h(2);
  writeBytes(h.file("name.ini"), "C:\\old\\name.txt\r\n");
  h.load();
  Form1Controls& c = h.controls();
  c.Text4->setText("JA1ABC");
  c.Combo4->setEditText("100");
  c.Combo1->setEditText("4");
  c.Combo2->setEditText("30");
  c.Combo5->setEditText("3");
  h.state().squelch = 42;
  h.modem.clearCalls();
  h.close();
  EXPECT_EQ(h.modem.calls(), std::vector<std::string>{"fnStopSoundCard()"});
  EXPECT_EQ(readBytes(h.file("psk.ini")),
            twipsLine(h.form().topTwips()) + twipsLine(h.form().leftTwips()) +
                "\"JA1ABC\"\r\n42\r\n\"100\"\r\n5085\r\n6165\r\n\"4\"\r\n\"30\"\r\n\"3\"\r\n");
  EXPECT_EQ(readBytes(h.file("sound.ini")), " 2 \r\n");
  EXPECT_EQ(readBytes(h.file("name.ini")), "C:\\old\\name.txt\r\n") << "no name log path: left as it was";
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

}  // namespace
}  // namespace quillary::testing

// The unload sequence: the modem stops and the hook goes before any file is
// written; psk.ini, sound.ini and name.ini are written as they should be, and
// one file that cannot be written does not stop the others.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "macros/NameLog.h"
#include "support/Form1Harness.h"

namespace quillary::testing {
namespace {

std::string expectedPskIni(const Form1& f, const std::string& rest) {
  auto number = [](double twips) { return std::to_string(static_cast<long>(std::lround(twips))); };
  return number(f.topTwips()) + "\r\n" + number(f.leftTwips()) + "\r\n" + rest;
}

TEST(UnloadSequence, StopsTheModemThenWritesPskIniAndSoundIniByteExact) {
  Form1Harness h(2);
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
  EXPECT_EQ(h.form().hook(), nullptr);
  EXPECT_EQ(readBytes(h.file("psk.ini")),
            expectedPskIni(h.form(), "\"JA1ABC\"\r\n42\r\n\"100\"\r\n5085\r\n6165\r\n\"4\"\r\n"
                                     "\"30\"\r\n\"3\"\r\n"));
  EXPECT_EQ(readBytes(h.file("sound.ini")), " 2 \r\n");
  EXPECT_FALSE(std::filesystem::exists(h.file("name.ini")));
}

TEST(UnloadSequence, WhatWasWrittenIsRestoredAtTheNextStart) {
  Form1Harness first(-1);
  first.load();
  first.controls().Text4->setText("DL2XYZ");
  first.controls().Combo5->setEditText("6");
  first.state().squelch = 7;
  first.close();
  EXPECT_EQ(readBytes(first.file("sound.ini")), "-1 \r\n");

  Form1Harness second;
  std::filesystem::copy_file(first.file("psk.ini"), second.file("psk.ini"));
  second.load();
  EXPECT_EQ(second.controls().Text4->text(), "DL2XYZ");
  EXPECT_EQ(second.controls().Combo5->currentText(), "6");
  EXPECT_EQ(second.state().squelch, 7);
  EXPECT_EQ(second.state().savedWidth, 5085);
  EXPECT_EQ(second.state().savedHeight, 6165);
}

TEST(UnloadSequence, NameIniIsLeftUntouchedWhileTheNameLogPathIsEmpty) {
  Form1Harness h;
  writeBytes(h.file("name.ini"), "C:\\old\\name.txt\r\n");
  h.load();
  h.close();
  EXPECT_EQ(readBytes(h.file("name.ini")), "C:\\old\\name.txt\r\n");
}

TEST(UnloadSequence, NameIniHoldsTheNameLogPathWhenOneIsKnown) {
  Form1Harness h;
  h.load();
  h.state().nameLogPath = "/home/op/Ini/name.txt";
  h.close();
  EXPECT_EQ(readBytes(h.file("name.ini")), "/home/op/Ini/name.txt\r\n");
  EXPECT_EQ(formatNameIni("C:\\a, b\\name.txt"), "C:\\a, b\\name.txt\r\n");
}

TEST(UnloadSequence, AFileThatCannotBeWrittenDoesNotStopTheOthers) {
  Form1Harness h(1);
  // A folder where psk.ini belongs: the file cannot be put there.
  std::filesystem::create_directory(h.file("psk.ini"));
  h.load();
  h.state().nameLogPath = "/logs/name.txt";
  h.close();
  EXPECT_TRUE(std::filesystem::is_directory(h.file("psk.ini")));
  EXPECT_EQ(readBytes(h.file("sound.ini")), " 1 \r\n");
  EXPECT_EQ(readBytes(h.file("name.ini")), "/logs/name.txt\r\n");
}

TEST(UnloadSequence, AMissingProgramFolderReadsAndWritesNothingAndCreatesNothing) {
  ensureQtApplication();
  RecordingModem modem;
  FakeDialogs dialogs;
  TempFolder parent;
  const std::filesystem::path missing = parent.path() / "bb";
  {
    Form1 form(modem, dialogs, missing, 0);
    form.show();
    EXPECT_EQ(modem.callsOf("fnSetSquelchThreshold").front(), "fnSetSquelchThreshold(0,0,0)");
    form.close();
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(modem.callsOf("fnStopSoundCard").size(), 1u);
}

TEST(UnloadSequence, EachWindowUnloadsOnceWhetherClosedTwiceOrDestroyedOpen) {
  ensureQtApplication();
  RecordingModem modem;
  FakeDialogs dialogs;
  TempFolder folder;
  {
    Form1 form(modem, dialogs, folder.path(), 4);
    form.show();
    form.close();
    form.close();
  }
  EXPECT_EQ(modem.callsOf("fnStopSoundCard").size(), 1u);
  std::filesystem::remove(folder.path() / "sound.ini");
  {
    Form1 form(modem, dialogs, folder.path(), 5);
    form.show();
  }
  EXPECT_EQ(modem.callsOf("fnStopSoundCard").size(), 2u);
  EXPECT_EQ(readBytes(folder.path() / "sound.ini"), " 5 \r\n");
}

TEST(SetSound, YesDeletesSoundIniAndClosesTheWindowLeavingItAbsent) {
  Form1Harness h(2);
  writeBytes(h.file("sound.ini"), " 2 \r\n");
  h.load();
  h.dialogs.answers.push_back(Dialogs::Answer::Yes);
  QTest::mouseClick(h.controls().Command10, Qt::LeftButton);
  EXPECT_EQ(h.dialogs.texts(), QStringList({"Do you want to set Sound Boad ??", "Restart program !!!!"}));
  EXPECT_EQ(h.dialogs.shown[0].buttons, Dialogs::Buttons::YesNo);
  EXPECT_EQ(h.dialogs.shown[1].buttons, Dialogs::Buttons::Ok);
  EXPECT_EQ(h.state().soundReset, 1);
  EXPECT_FALSE(h.form().isVisible());
  EXPECT_EQ(h.modem.callsOf("fnStopSoundCard").size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(h.file("sound.ini")));
  EXPECT_TRUE(std::filesystem::exists(h.file("psk.ini")));
}

TEST(SetSound, YesWithoutSoundIniIsNoError) {
  Form1Harness h;
  h.load();
  h.dialogs.answers.push_back(Dialogs::Answer::Yes);
  QTest::mouseClick(h.controls().Command10, Qt::LeftButton);
  EXPECT_EQ(h.dialogs.texts().size(), 2);
  EXPECT_FALSE(std::filesystem::exists(h.file("sound.ini")));
}

TEST(SetSound, NoLeavesEverythingAsItWas) {
  Form1Harness h(2);
  writeBytes(h.file("sound.ini"), " 2 \r\n");
  h.load();
  h.dialogs.answers.push_back(Dialogs::Answer::No);
  QTest::mouseClick(h.controls().Command10, Qt::LeftButton);
  EXPECT_EQ(h.dialogs.texts(), QStringList({"Do you want to set Sound Boad ??"}));
  EXPECT_TRUE(h.form().isVisible());
  EXPECT_EQ(h.state().soundReset, 0);
  EXPECT_EQ(readBytes(h.file("sound.ini")), " 2 \r\n");
  EXPECT_TRUE(h.modem.callsOf("fnStopSoundCard").empty());
}

}  // namespace
}  // namespace quillary::testing

// Picture commands in received lines: the detection's rules, and the
// hand-over through "cmd_data.txt" of lines received character by
// character through the hook.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "support/Form1Harness.h"
#include "receive/CommandForwarding.h"

namespace quillary::testing {
namespace {

TEST(CommandDetection, CommandWordsAfterTheFirstColonInTheirOrder) {
  struct Case {
    const char* line;
    const char* forwarded;  // nullptr: nothing is handed over
  };
  const Case cases[] = {
      {":OTHER/hybrid ok", ":OTHER/HYBRID OK"},
      {":OTHER/PHOTO :OTHER/HYBRID", ":OTHER/PHOTO :OTHER/HYBRID"},  // HYBRID is tried first
      {":OTHER/TX", ":OTHER/PHOTO"},
      {"de x :other/t ok", ":OTHER/PHOTO"},
      {"de x :OTHER/html", "DE X :OTHER/HTML"},
      {":/photo", ":/PHOTO"},
      {"/PHOTO at 12:30", nullptr},
      {"/HYBRID x :OTHER/PHOTO", nullptr},  // the first word found decides; a later one is not tried
      {"OTHER/PHOTO", nullptr},
      {":OTHER is here", nullptr},
      {"", nullptr},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.line);
    const auto forwarded = pictureCommandIn(QString::fromLatin1(k.line), std::nullopt);
    ASSERT_EQ(forwarded.has_value(), k.forwarded != nullptr);
    if (forwarded) { EXPECT_EQ(*forwarded, QString::fromLatin1(k.forwarded)); }
  }
  // The own call coming back is skipped only when it is the call asked for.
  EXPECT_FALSE(pictureCommandIn(":mine/PHOTO", QString("MINE")));
  EXPECT_TRUE(pictureCommandIn(":MINE /PHOTO", QString("MINE")));
}

class CommandForwardingTest : public LoadedWindowTest {
 protected:
  void receiveLine(const std::string& line) {
    for (unsigned char byte : line) notify(h, kMsgCharacter, byte);
    receive(h, {13, 10});
  }
  std::filesystem::path commandFile() { return h.file("cmd_data.txt"); }
};

TEST_F(CommandForwardingTest, ReceivedCommandIsWrittenWithTheBestImdEvenWhenRepeated) {
  receiveLine(":OTHER/hybrid ok");
  EXPECT_EQ(readBytes(commandFile()), ":OTHER/HYBRID OK\r\n-10 \r\n");

  // The same line again is handed over again.
  std::filesystem::remove(commandFile());
  receiveLine(":OTHER/hybrid ok");
  EXPECT_EQ(readBytes(commandFile()), ":OTHER/HYBRID OK\r\n-10 \r\n");

  QTest::mouseClick(c().Command1, Qt::LeftButton);  // IMD reset
  notify(h, kMsgImdReading, 3);
  receiveLine("CQ de OTHER");
  receiveLine(":OTHER/T");
  EXPECT_EQ(readBytes(commandFile()), ":OTHER/PHOTO\r\n 3 \r\n");
}

TEST_F(CommandForwardingTest, OwnCommandsComingBackAreSkippedOnlyWithNoRecMyself) {
  QTest::keyClicks(c().Text4, "mine");
  QTest::mouseClick(c().Check1, Qt::LeftButton);
  receiveLine(":MINE/PHOTO");
  EXPECT_FALSE(std::filesystem::exists(commandFile()));
  QTest::mouseClick(c().Check1, Qt::LeftButton);
  receiveLine(":MINE/PHOTO");
  EXPECT_EQ(readBytes(commandFile()), ":MINE/PHOTO\r\n-10 \r\n");
}

TEST_F(CommandForwardingTest, AFolderThatCannotBeWrittenLosesOnlyThatCommand) {
  const std::filesystem::path folder = h.state().programFolder;
  h.state().programFolder = folder / "gone";
  receiveLine(":OTHER/PHOTO");
  h.state().programFolder = folder;
  receiveLine("text goes on");
  EXPECT_FALSE(std::filesystem::exists(commandFile()));
  receiveLine(":THIRD/HTML");
  EXPECT_EQ(readBytes(commandFile()), ":THIRD/HTML\r\n-10 \r\n");
  EXPECT_EQ(c().Term->toPlainText().count("\n"), 3);
}

TEST_F(CommandForwardingTest, ACommandTypedIntoTheLastLineBoxIsHandedOverToo) {
  QTest::keyClicks(c().Text3, ":OTHER/PHOTO");
  EXPECT_EQ(readBytes(commandFile()), ":OTHER/PHOTO\r\n-10 \r\n");
}

class CallCapture : public LoadedWindowTest {
 protected:
  void SetUp() override {
    writeBytes(h.file("name.txt"), "OTHER,Hanako\r\nALL,EVERYONE\r\n");
    writeBytes(h.file("name.ini"), h.file("name.txt").string() + "\r\n");
    LoadedWindowTest::SetUp();
  }
  void doubleClickOn(const QString& word) { doubleClickOnWord(*c().Term, word); }
};

TEST_F(CallCapture, ADoubleClickedWordOrCommandOrHisCallIsLookedUpEveryTime) {
  c().Term->setPlainText("CQ CQ de OTHER/P:X\r\n");
  receive(h, {':', 'O', 'T', 'H', 'E', 'R', '/', 'H', 'Y', 'B', 'R', 'I', 'D', 13, 10});
  QApplication::clipboard()->setText("the operator's own text");
  // A double click on His Call puts back ALL and looks it up, even when it
  // already reads ALL.
  QTest::mouseDClick(c().Text27, Qt::LeftButton);
  EXPECT_EQ(c().Text6->text(), "EVERYONE");

  doubleClickOn("P:X");
  EXPECT_EQ(c().Text27->text(), "OTHER/P:X");
  doubleClickOn("HYBRID");
  EXPECT_EQ(c().Text27->text() + "/" + c().Text6->text(), "OTHER/Hanako");
  EXPECT_EQ(QApplication::clipboard()->text(), "the operator's own text");

  // The same call captured again sees a log changed in the meantime.
  writeBytes(h.file("name.txt"), "OTHER,Yuki\r\n");
  doubleClickOn("HYBRID");
  EXPECT_EQ(c().Text6->text(), "Yuki");
  QTest::mouseDClick(c().Text27, Qt::LeftButton);
  EXPECT_EQ(c().Text27->text() + "/" + c().Text6->text(), "ALL/OM");
}

}  // namespace
}  // namespace quillary::testing

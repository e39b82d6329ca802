// The macro files and the editor (the first start, closing the editor, the
// two readers after a restart, the read cap, token insertion, a folder that
// refuses writes), the macro send buttons, and the fonts and Kanji.
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "common/AtomicFile.h"
#include "macros/CappedFile.h"
#include "macros/Fonts.h"
#include "macros/MacroEditor.h"
#include "support/ConsoleLines.h"
#include "support/Form1Harness.h"
#include "transmit/TransmitBox.h"

namespace quillary::testing {
namespace {

const char* const kDefault1 = "<TX>\r\nSend This TEXT and receive\r\n<RX>\r\n";
const char* const kDefault7 = "\r\nOnly Command\r\n";

std::string boxText(QPlainTextEdit* box) { return transmitBoxText(*box).toStdString(); }

class MacroEditorTest : public ::testing::Test {
 protected:
  MacroEditor& openEditor() {
    QTest::mouseClick(h.controls().Command8, Qt::LeftButton);
    MacroEditor* editor = openMacroEditor(h.form().context());
    EXPECT_NE(editor, nullptr);
    return *editor;
  }
  Form1Controls& c() { return h.controls(); }

  Form1Harness h;
};

TEST_F(MacroEditorTest, FirstStartCreatesEmptyFilesAndClosingTheEditorOrTheWindowStoresTheMenus) {
  h.load();
  for (int k = 1; k <= 7; ++k) {
    EXPECT_EQ(readBytes(h.file(("cmd" + std::to_string(k) + ".txt").c_str())), "");
    EXPECT_EQ(c().Command9[k - 1]->text(), QStringLiteral("sf%1").arg(k));
  }
  MacroEditor& editor = openEditor();
  EXPECT_TRUE(editor.isVisible());
  EXPECT_EQ(boxText(editor.Text1[0]), kDefault1);

  // "Macro" again shows the same window without loading it again.
  QTest::keyClicks(editor.Text2[6], "X");
  EXPECT_EQ(&openEditor(), &editor);
  EXPECT_EQ(editor.Text2[6]->text(), "sf7X");

  editor.close();
  EXPECT_EQ(readBytes(h.file("cmd1.txt")), std::string("sf1\r\n") + kDefault1);
  EXPECT_EQ(readBytes(h.file("cmd7.txt")), std::string("sf7X\r\n") + kDefault7);
  EXPECT_EQ(c().Command9[6]->text(), "sf7X");
  EXPECT_EQ(c().Command9[0]->toolTip().toStdString(), kDefault1);
  EXPECT_EQ(h.state().macros[0], kDefault1);

  // Closing the main window closes the editor, which stores the menus.
  QTest::keyClicks(openEditor().Text2[3], "!");
  h.close();
  EXPECT_EQ(readBytes(h.file("cmd4.txt")).substr(0, 6), "sf4!\r\n");
}

TEST_F(MacroEditorTest, AfterARestartTheWindowSplitsAtCommasAndDropsLeadingBlanksTheEditorDoesNot) {
  writeBytes(h.file("cmd3.txt"), "Thanks, all\r\nTks, 73\r\n   lead\r\n073");
  writeBytes(h.file("cmd6.txt"), "Empty\r\n");
  writeBytes(h.file("cmd2.txt"), "\"0.50\"\r\n1.50\r\n");
  h.load();
  EXPECT_EQ(c().Command9[2]->text(), "Thanks");
  EXPECT_EQ(h.state().macros[2], "all\r\nTks\r\n73\r\nlead\r\n73\r\n");
  EXPECT_EQ(c().Command9[5]->text(), "Empty");
  EXPECT_EQ(c().Command9[1]->text(), "0.50") << "a quoted title stays text";
  EXPECT_EQ(h.state().macros[1], "1.5\r\n");

  MacroEditor& editor = openEditor();
  EXPECT_EQ(editor.Text2[2]->text(), "Thanks");
  EXPECT_EQ(boxText(editor.Text1[2]), " all\r\nTks, 73\r\n   lead\r\n073\r\n");
  EXPECT_EQ(boxText(editor.Text1[5]), "");
  editor.Text1[5]->clear();
  editor.close();
  EXPECT_EQ(readBytes(h.file("cmd6.txt")), "Empty\r\n");
}

// A file put there by accident is read only up to the cap; the editor
// leaves it whole on disk unless its menu was edited.
TEST_F(MacroEditorTest, MacroFilesJustOverTheCapAreCutAtItAndKeptWholeUnlessEdited) {
  const std::string big = "Big\r\n" + std::string(kMacroFileReadLimit, 'x');
  writeBytes(h.file("cmd4.txt"), big);
  writeBytes(h.file("cmd5.txt"), big);
  ConsoleLines console;
  h.load();
  EXPECT_EQ(h.state().macros[3], std::string(kMacroFileReadLimit - 5, 'x') + "\r\n");
  EXPECT_TRUE(console.all().contains("cmd4.txt is larger than 65536 bytes")) << console.all().toStdString();
  MacroEditor& editor = openEditor();
  QTest::keyClicks(editor.Text2[4], "!");
  editor.close();
  EXPECT_EQ(readBytes(h.file("cmd4.txt")), big);
  EXPECT_EQ(readBytes(h.file("cmd5.txt")), "Big!\r\n" + std::string(kMacroFileReadLimit - 5, 'x') + "\r\n");
}

TEST_F(MacroEditorTest, TokensAreAppendedToTheClickedBoxOnly) {
  h.load();
  MacroEditor& editor = openEditor();
  pickItem(editor.Combo8, "<TX> ");
  EXPECT_EQ(h.dialogs.texts(), QStringList({"Select text box !!!"}));
  EXPECT_EQ(boxText(editor.Text1[0]), kDefault1);
  editor.Text1[2]->setFocus();  // the keyboard alone does not select a box
  pickItem(editor.Combo8, "<RX> ");
  EXPECT_EQ(h.dialogs.texts().size(), 2);

  QTest::mouseClick(editor.Text1[2]->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  const std::string before = boxText(editor.Text1[2]);
  pickItem(editor.Combo8, "<HIS> de <MY> pse kn ");
  EXPECT_EQ(boxText(editor.Text1[2]), before + "<HIS> de <MY> pse kn \r\n");
  EXPECT_EQ(editor.Text1[2]->textCursor().position(), editor.Text1[2]->document()->characterCount() - 1);
  EXPECT_EQ(h.dialogs.texts().size(), 2);
}

TEST_F(MacroEditorTest, AFolderThatRefusesWritesKeepsTheOldFilesAndSaysWhichMenusWereNotStored) {
  writeBytes(h.file("cmd2.txt"), "Old\r\nold text\r\n");
  h.load();
  // The folder takes no new file for menus 2 and 5.
  int refused = 0;
  auto refuse = [&refused](const std::filesystem::path& file, std::string_view bytes) {
    const std::string name = file.filename().string();
    if (name == "cmd2.txt" || name == "cmd5.txt") return ++refused, false;
    return writeFileAtomically(file, bytes);
  };
  MacroEditor& editor = showMacroEditor(h.form().context(), refuse);
  QTest::keyClicks(editor.Text2[1], " new");
  editor.close();
  EXPECT_EQ(h.dialogs.texts(), QStringList({"Macro menu 2, 5 could not be stored"}));
  EXPECT_EQ(readBytes(h.file("cmd2.txt")), "Old\r\nold text\r\n");
  EXPECT_EQ(readBytes(h.file("cmd1.txt")), std::string("sf1\r\n") + kDefault1);
  // The session goes on with what the operator wrote.
  EXPECT_EQ(c().Command9[1]->text(), "Old new");
  EXPECT_EQ(refused, 2);
}

class MacroSend : public TransmitPanelTest {
 protected:
  void SetUp() override {
    writeBytes(h.file("cmd1.txt"), "M1\r\n<TX>\r\nSend This TEXT and receive\r\n<RX>\r\n");
    writeBytes(h.file("cmd2.txt"), "M2\r\nplain words\r\n");
    writeBytes(h.file("cmd3.txt"), "M3\r\n<TX> keyed\r\n");
    TransmitPanelTest::SetUp();
  }
};

struct Case {
  int element;
  int16_t transmitState;
  const char* typedAhead;
  const char* box;
  Calls calls;
  std::vector<std::string> sent;
};

TEST_F(MacroSend, EachTransmitStateWithAndWithoutTypeAhead) {
  const Calls keyed{"fnSetTXFrequency(1500)", "fnStartTX(9)", "fnSendTXString()", "fnStopTX()"};
  const Case cases[] = {
      {0, 0, "abc", "  \r\nSend This TEXT and receive\r\n abc", keyed, {"  \nSend This TEXT and receive\r\n abc"}},
      // Without "<TX>" the menu only replaces the type-ahead; F11 sends it later.
      {1, 0, "abc", "plain words\r\n", {}, {}},
      {1, 1, "", "plain words\r\n", {"fnSendTXString()"}, {"plain words\r\n"}},
      // "<TX>" while transmitting queues the text twice and keys again.
      {2, 1, "abc", "  keyed\r\n",
       {"fnSendTXString()", "fnSetTXFrequency(1500)", "fnStartTX(9)", "fnSendTXString()"},
       {"  keyed\r\n", "  keyed\r\n"}},
      // A menu never stored empties the box and sends nothing.
      {3, 0, "abc", "", {}, {}},
  };
  for (const Case& test : cases) {
    c().Text5->clear();
    QTest::keyClicks(c().Text5, test.typedAhead);
    h.state().transmitState = test.transmitState;
    h.modem.clearCalls();
    h.modem.sentTexts.clear();
    QTest::mouseClick(c().Command9[test.element], Qt::LeftButton);
    SCOPED_TRACE("button " + std::to_string(test.element) + " in state " + std::to_string(test.transmitState) +
                 " after '" + test.typedAhead + "'");
    EXPECT_EQ(transmitBoxText(*c().Text5).toStdString(), test.box);
    EXPECT_EQ(h.modem.calls(), test.calls);
    EXPECT_EQ(h.modem.sentTexts, test.sent);
    EXPECT_EQ(h.state().transmitState, test.transmitState);  // the button leaves the state alone
  }
  EXPECT_TRUE(h.dialogs.shown.empty());
}

// "Kanji", "RX Font" and "TX Font": the font names the boxes get, what the
// font dialog may change, and Kanji shown in a Japanese font.
class Fonts : public LoadedWindowTest {
 protected:
  void pressKanji() { QTest::mouseClick(c().Command2, Qt::LeftButton); }
  std::vector<QWidget*> textAreas() { return {c().Term, c().Text3, c().Text5, c().Text6}; }
};

TEST_F(Fonts, KanjiSwitchesTheTextAreasAndEvensOutThePictureAndMacroButtons) {
  pressKanji();
  EXPECT_EQ(c().Command2->text(), "Kanji ON");
  EXPECT_EQ(h.state().kanjiMode, 1);
  for (QWidget* box : textAreas()) EXPECT_EQ(box->font().family(), japaneseFontName());
  for (QPushButton* button : {c().Command4[5], c().Command4[6], c().Command9[0]}) {
    EXPECT_EQ(button->font().family(), "Arial");
    EXPECT_EQ(button->font().pointSizeF(), 9);
  }
  // Without the named font on the system a free Japanese font stands in.
  const QFontMetrics metrics(c().Term->font());
  for (char32_t ch : {U'お', U'早', U'う'}) EXPECT_TRUE(metrics.inFontUcs4(ch));

  pressKanji();
  EXPECT_EQ(c().Command2->text(), "Kanji OFF");
  EXPECT_EQ(h.state().kanjiMode, 0);
  for (QWidget* box : textAreas()) EXPECT_EQ(box->font().family(), "Arial");
}

// Only name, size and bold are taken from the dialog; they stay through
// Kanji, and a cancelled dialog changes nothing.
TEST_F(Fonts, TheDialogsNameSizeAndBoldStayThroughKanjiAndACancelChangesNothing) {
  QFont chosen(QStringLiteral("DejaVu Serif"), 12, QFont::Bold, true);
  h.dialogs.fonts = {chosen};
  QTest::mouseClick(c().Command19, Qt::LeftButton);
  EXPECT_EQ(c().Term->font().family(), "DejaVu Serif");
  EXPECT_FALSE(c().Term->font().italic());
  pressKanji();
  EXPECT_EQ(c().Term->font().family(), japaneseFontName());
  EXPECT_EQ(c().Term->font().pointSizeF(), 12);
  EXPECT_TRUE(c().Term->font().bold());
  const QFont before = c().Text5->font();
  QTest::mouseClick(c().Command7, Qt::LeftButton);
  EXPECT_EQ(c().Text5->font(), before);
}

}  // namespace
}  // namespace quillary::testing

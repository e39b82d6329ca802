// "Kanji", "RX Font" and "TX Font": the font names the boxes get, what the
// font dialog may change, and Kanji shown in a Japanese font.
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "../modem/HookTestSupport.h"
#include "common/CodePage.h"
#include "macros/Fonts.h"

namespace quillary::testing {
namespace {

class Fonts : public LoadedWindowTest {
 protected:
  void pressKanji() { QTest::mouseClick(c().Command2, Qt::LeftButton); }
  std::vector<QWidget*> textAreas() { return {c().Term, c().Text3, c().Text5, c().Text6}; }
};

TEST_F(Fonts, KanjiSwitchesTheTextAreasAndEvensOutThePictureAndMacroButtons) {
  EXPECT_EQ(c().Command2->text(), "Kanji OFF");
  pressKanji();
  EXPECT_EQ(c().Command2->text(), "Kanji ON");
  EXPECT_EQ(h.state().kanjiMode, 1);
  for (QWidget* box : textAreas()) EXPECT_EQ(box->font().family(), japaneseFontName());
  for (QPushButton* button : {c().Command4[5], c().Command4[6], c().Command9[0]}) {
    EXPECT_EQ(button->font().family(), "Arial");
    EXPECT_EQ(button->font().pointSizeF(), 9);
  }
  // Without the named font on the system a free Japanese font stands in.
  const QString shown = QFontInfo(c().Term->font()).family();
  EXPECT_TRUE(QFontDatabase::families(QFontDatabase::Japanese).contains(shown)) << shown.toStdString();

  pressKanji();
  EXPECT_EQ(c().Command2->text(), "Kanji OFF");
  EXPECT_EQ(h.state().kanjiMode, 0);
  for (QWidget* box : textAreas()) EXPECT_EQ(box->font().family(), "Arial");
}

TEST_F(Fonts, TheDialogsNameSizeAndBoldStayThroughKanjiAndACancelChangesNothing) {
  QFont chosen(QStringLiteral("DejaVu Serif"));
  chosen.setPointSizeF(12);
  chosen.setBold(true);
  chosen.setItalic(true);
  h.dialogs.fonts = {chosen};
  QTest::mouseClick(c().Command19, Qt::LeftButton);
  QFont term = c().Term->font();
  EXPECT_EQ(term.family(), "DejaVu Serif");
  EXPECT_FALSE(term.italic()) << "only name, size and bold are taken";

  pressKanji();
  term = c().Term->font();
  EXPECT_EQ(term.family(), japaneseFontName());
  EXPECT_EQ(term.pointSizeF(), 12);
  EXPECT_TRUE(term.bold());

  const QFont before = c().Text5->font();
  QTest::mouseClick(c().Command7, Qt::LeftButton);  // no font: the operator cancels
  EXPECT_EQ(c().Text5->font(), before);
}

TEST_F(Fonts, AReceivedKanjiLineShowsInTheJapaneseFont) {
  pressKanji();
  const std::string bytes = toCodePage("お早う", CodePage::Cp932);
  for (unsigned char byte : bytes) receive(h, {byte});
  receive(h, {13, 10});
  EXPECT_TRUE(c().Term->toPlainText().contains(QString::fromUtf8("お早う")));
  const QFontMetrics metrics(c().Term->font());
  for (char32_t ch : {U'お', U'早', U'う'}) EXPECT_TRUE(metrics.inFontUcs4(ch));
}

}  // namespace
}  // namespace quillary::testing

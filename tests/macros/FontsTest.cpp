// "Kanji", "RX Font" and "TX Font": the font names the boxes get, what the
// font dialog may change, and Kanji shown in a Japanese font.
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "support/Form1Harness.h"
#include "macros/Fonts.h"

namespace quillary::testing {
namespace {

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

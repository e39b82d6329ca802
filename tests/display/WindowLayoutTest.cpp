// The main window's layout: the transmit panel shown and hidden at its
// sizes, and every caption fitting its control.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>
#include <gtest/gtest.h>

#include "support/Form1Harness.h"
#include "window/Form1Design.h"

namespace quillary::testing {
namespace {

// Where a push button or check box draws its caption.
QRect captionArea(QAbstractButton& button, QStyle::SubElement element) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  option.iconSize = button.iconSize();
  return button.style()->subElementRect(element, &option, &button);
}

// A line edit draws its text inside its contents, two pixels in from each side.
int lineEditTextWidth(const QLineEdit& box) {
  const QMargins margins = box.textMargins();
  return box.contentsRect().width() - margins.left() - margins.right() - 4;
}

void check(std::string& misfits, const QWidget& control, const QString& text, int available) {
  const int needed = control.fontMetrics().horizontalAdvance(text);
  QString name = control.objectName();
  if (name.isEmpty()) name = control.parentWidget()->objectName();  // a combo box's line edit
  if (needed > available)
    misfits += QStringLiteral("%1 \"%2\" needs %3 px, has %4\n").arg(name, text).arg(needed).arg(available).toStdString();
}

std::string misfitsIn(QWidget& window) {
  std::string misfits;
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (!label->objectName().isEmpty()) check(misfits, *label, label->text(), label->contentsRect().width());
  }
  for (QPushButton* button : window.findChildren<QPushButton*>()) {
    check(misfits, *button, button->text(), captionArea(*button, QStyle::SE_PushButtonContents).width());
  }
  for (QCheckBox* box : window.findChildren<QCheckBox*>()) {
    check(misfits, *box, box->text(), box->width() - captionArea(*box, QStyle::SE_CheckBoxContents).left());
  }
  for (QComboBox* combo : window.findChildren<QComboBox*>()) {
    const int available = lineEditTextWidth(*combo->lineEdit());
    check(misfits, *combo->lineEdit(), combo->currentText(), available);
    for (int i = 0; i < combo->count(); ++i) check(misfits, *combo->lineEdit(), combo->itemText(i), available);
  }
  for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
    if (!box->objectName().isEmpty()) check(misfits, *box, box->text(), lineEditTextWidth(*box));
  }
  // The whole control inside what holds it: a caption half outside its
  // frame cannot be read either.
  for (QWidget* control : window.findChildren<QWidget*>()) {
    const QWidget* holder = control->parentWidget();
    if (control->isVisibleTo(&window) && !control->objectName().isEmpty() &&
        !holder->rect().contains(control->geometry()))
      misfits += control->objectName().toStdString() + " outside " + holder->objectName().toStdString() + "\n";
  }
  return misfits;
}

TEST(CaptionFit, EveryTextFitsItsControlAtTheDefaultSizeInBothPanels) {
  Form1Harness h;
  h.load();
  Form1Controls& c = h.controls();
  c.txtIMD->setText("B: -28 W: -21 A: -25 dB");
  c.Text1->setText("20");
  c.Text2->setText("-27 dB");
  c.Label2->setText("-12 ppm");
  c.txtRec->setText("3000");
  c.txtTX->setText("3000");
  EXPECT_EQ(misfitsIn(h.form()), "") << "control panel";
  QTest::mouseClick(c.Check3, Qt::LeftButton);
  EXPECT_EQ(misfitsIn(h.form()), "") << "with the transmit panel";
}

TEST(WindowLayout, TxButtonShowsThePanelAtTheSavedSizeNeverBelowItsMinimumAndHidesItAt5085By6165) {
  for (const auto& [width, height, shownWidth, shownHeight] :
       {std::tuple{7000, 9000, 7000, 9000}, {4000, 7000, 6500, 8625}}) {
    Form1Harness h;
    writeBytes(h.file("psk.ini"), "0\r\n0\r\n\"\"\r\n5\r\n\"50\"\r\n" + std::to_string(width) + "\r\n" +
                                      std::to_string(height) + "\r\n");
    h.load();
    Form1Controls& c = h.controls();
    Form1& f = h.form();
    auto y = [&](int pixels) { return f.scale().yTwips(pixels); };
    QTest::mouseClick(c.Check3, Qt::LeftButton);
    EXPECT_TRUE(c.Frame5->isVisible());
    EXPECT_NEAR(f.widthTwips(), shownWidth, 15);
    EXPECT_NEAR(f.heightTwips(), shownHeight, 15);
    EXPECT_NEAR(y(c.Frame5->y()) - y(c.Frame2->y() + c.Frame2->height()), 50, 15);
    EXPECT_NEAR(y(c.Term->height()), shownHeight - form1design::kFrame2Height - 800 - form1design::kFrame5Height, 15);

    QTest::mouseClick(c.Check3, Qt::LeftButton);
    EXPECT_FALSE(c.Frame5->isVisible());
    EXPECT_NEAR(f.widthTwips(), 5085, 15);
    EXPECT_NEAR(f.heightTwips(), 6165, 15);
    EXPECT_NEAR(f.scale().xTwips(c.Frame2->width()), 5085 - 200, 15);
  }
}

}  // namespace
}  // namespace quillary::testing

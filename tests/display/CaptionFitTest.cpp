#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>
#include <gtest/gtest.h>

#include "support/Form1Harness.h"

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

}  // namespace
}  // namespace quillary::testing

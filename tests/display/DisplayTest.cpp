// The spectrum (presses tune, the grid, trace and marker) and the main
// window's layout (the transmit panel's sizes, every caption fitting).
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>
#include <gtest/gtest.h>

#include "display/DisplayColours.h"
#include "display/SpectrumGeometry.h"
#include "support/Form1Harness.h"
#include "window/Form1Design.h"
#include "window/FrequencyScrollBar.h"
#include "window/PictureBox.h"

namespace quillary::testing {
namespace {

class SpectrumDisplayTest : public LoadedWindowTest {
 protected:
  void SetUp() override {
    h.load();
    c().ckRXAFC->click();  // AFC off: the marker stays where txtRec says
    h.modem.clearCalls();
  }
  void press(int x) { QTest::mousePress(c().Picture2, Qt::LeftButton, {}, QPoint(x, 5)); }
  QRgb at(double x, int y) { return c().Picture2->image().pixel(static_cast<int>(x), y); }
};

TEST_F(SpectrumDisplayTest, PressesTuneFromEdgeToEdgeAndLeaveTheBoxesAlone) {
  c().Picture2->resize(400, c().Picture2->height());  // 0.4 units per hertz
  const QString shown = c().txtRec->text();
  const int scrolled = c().VScroll1->frequency();
  for (int x : {0, 400, 1, 403}) press(x);  // 1: 1002.5 goes to the even neighbour
  EXPECT_EQ(h.modem.calls(),
            (Calls{"fnSetRXFrequency(1000,0,0)", "fnSetRXFrequency(2000,0,0)", "fnSetRXFrequency(1002,0,0)"}));
  EXPECT_EQ(c().txtRec->text(), shown);
  EXPECT_EQ(c().VScroll1->frequency(), scrolled);
}

TEST_F(SpectrumDisplayTest, DrawsTheGridTheRedPresetLineTheTraceAndTheMarker) {
  h.modem.spectrum.fill(50);
  c().txtRec->setText("1450");
  notify(h, kMsgDisplayReady, 0);
  const QImage& image = c().Picture2->image();
  const double width = image.width();
  const SpectrumScale scale = spectrumScale(h.state().range, width, image.height());
  EXPECT_EQ(at(width * 6 / 10, 2), colours::kPresetGridLine.rgb());  // 1600
  EXPECT_EQ(at(width * 3 / 20, image.height() / 2), colours::kTrace.rgb());
  EXPECT_EQ(at(markerX(scale, 1450), 2), colours::kReceiveMarker.rgb());

  // AFC on: the marker follows the receiver; pulled beyond the bar's top,
  // the receiver is never sent back to the bar's end.
  c().ckRXAFC->click();
  h.modem.answer("fnGetRXFrequency", 1520);
  notify(h, kMsgDisplayReady, 0);
  EXPECT_EQ(c().txtRec->text(), "1520");
  EXPECT_EQ(at(markerX(scale, 1520), 2), colours::kReceiveMarker.rgb());
  h.modem.clearCalls();
  h.modem.answer("fnGetRXFrequency", 3050);
  notify(h, kMsgDisplayReady, 0);
  notify(h, kMsgDisplayReady, 0);
  EXPECT_EQ(c().VScroll1->frequency(), 3000);
  EXPECT_EQ(c().txtRec->text(), "3050");
  EXPECT_TRUE(h.modem.callsOf("fnSetRXFrequency").empty());
}

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

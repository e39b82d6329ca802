// The main window holds exactly its designed controls, under their names,
// with their kinds, containers, texts and lists.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <set>

#include "display/PictureBox.h"
#include "support/Form1Harness.h"

namespace quillary::testing {
namespace {

struct Expected {
  const char* name;
  const char* kind;       // class name
  const char* container;  // parent's objectName
  const char* text;       // caption or text; nullptr for none
};

const Expected kControls[] = {
    {"Term", "QPlainTextEdit", "Form1", "Receive Area\n"}, {"Frame2", "QGroupBox", "Form1", ""},
    {"Frame5", "QGroupBox", "Form1", "PSK TX"}, {"Combo8", "QComboBox", "Frame5", "Hello"},
    {"Command9_0", "QPushButton", "Frame5", "sf1"}, {"Command9_1", "QPushButton", "Frame5", "sf2"},
    {"Command9_2", "QPushButton", "Frame5", "sf3"}, {"Command9_3", "QPushButton", "Frame5", "sf4"},
    {"Command9_4", "QPushButton", "Frame5", "sf5"}, {"Command9_5", "QPushButton", "Frame5", "sf6"},
    {"Command9_6", "QPushButton", "Frame5", "sf7"},
    {"Command4_0", "QPushButton", "Frame5", "HYBRID"},
    {"Command4_1", "QPushButton", "Frame5", "PHOTO"},
    {"Command4_2", "QPushButton", "Frame5", "HTML"},
    {"Command4_3", "QPushButton", "Frame5", "GD COPY"},
    {"Command4_4", "QPushButton", "Frame5", "TX"}, {"Command4_5", "QPushButton", "Frame5", "RX"},
    {"Command4_6", "QPushButton", "Frame5", "73"}, {"Command4_10", "QPushButton", "Frame5", "CQ"},
    {"Text5", "QPlainTextEdit", "Frame5", ""}, {"Combo5", "QComboBox", "Frame5", "0"},
    {"Command6", "QPushButton", "Frame5", "Tune"},
    {"Command5", "QPushButton", "Frame5", "ABORT(F12)"},
    {"Command3", "QPushButton", "Frame5", "Open"}, {"Label1_1", "QLabel", "Frame5", "Comm Port"},
    {"Text6", "QLineEdit", "Frame2", "OM"}, {"Command11", "QPushButton", "Frame2", "Name"},
    {"Command10", "QPushButton", "Frame2", "Set Sound"},
    {"Command8", "QPushButton", "Frame2", "Macro"}, {"ckTXAFC", "QCheckBox", "Frame2", "NET"},
    {"txtTX", "QLineEdit", "Frame2", "1500"}, {"VScroll2", "quillary::FrequencyScrollBar", "Frame2", nullptr},
    {"Command7", "QPushButton", "Frame2", "TX Font"},
    {"Command19", "QPushButton", "Frame2", "RX Font"}, {"Text27", "QLineEdit", "Frame2", "ALL"},
    {"Combo6", "QComboBox", "Frame2", "1600"}, {"Check3", "QCheckBox", "Frame2", "TX Button"},
    {"Check1", "QCheckBox", "Frame2", "No rec myself"}, {"Text4", "QLineEdit", "Frame2", ""},
    {"VScroll3", "QScrollBar", "Frame2", nullptr},
    {"Picture3", "quillary::PictureBox", "Frame2", nullptr}, {"Text3", "QLineEdit", "Frame2", ""},
    {"Picture4_0", "quillary::PictureBox", "Frame2", nullptr},
    {"Command2", "QPushButton", "Frame2", "Kanji OFF"},
    {"Frame3", "QGroupBox", "Frame2", "FFT Mode"},
    {"Picture5", "quillary::PictureBox", "Frame2", nullptr},
    {"Picture1", "quillary::PictureBox", "Frame2", nullptr},
    {"Picture4_1", "quillary::PictureBox", "Picture1", nullptr},
    {"VScroll1", "quillary::FrequencyScrollBar", "Frame2", nullptr}, {"txtRec", "QLineEdit", "Frame2", "1500"},
    {"txtIMD", "QLineEdit", "Frame2", "IMD"}, {"ckRXAFC", "QCheckBox", "Frame2", "AFC"},
    {"Frame1", "QGroupBox", "Frame2", "PSK Mode"}, {"Command1", "QPushButton", "Frame2", "Reset"},
    {"Text1", "QLineEdit", "Frame2", ""}, {"Text2", "QLineEdit", "Frame2", ""},
    {"Picture2", "quillary::PictureBox", "Frame2", nullptr},
    {"Command23", "QPushButton", "Picture2", "1600Hz"},
    {"Label1_2", "QLabel", "Frame2", "His Call"}, {"Label1_0", "QLabel", "Frame2", "PSK Freq Hz"},
    {"Label3_2", "QLabel", "Frame2", "My Call"}, {"Label3_1", "QLabel", "Frame2", "CMD"},
    {"Label3_0", "QLabel", "Frame2", "IMD"}, {"lbMy_2", "QLabel", "Frame2", "Clock"},
    {"Label2", "QLabel", "Frame2", "0 ppm"}, {"Combo2", "QComboBox", "Frame3", "1"},
    {"Combo1", "QComboBox", "Frame3", "3"}, {"lbMy_6", "QLabel", "Frame3", "Bias"},
    {"lbMy_5", "QLabel", "Frame3", "Smooth"}, {"Combo7", "QComboBox", "Frame1", "1000-2000"},
    {"Combo3", "QComboBox", "Frame1", "BPSK31"}, {"Combo4", "QComboBox", "Frame1", "50"},
    {"Check2", "QCheckBox", "Frame1", "Search"}, {"Label1_4", "QLabel", "Frame1", "Range"},
    {"Label1_3", "QLabel", "Frame1", "Mode"},
};

QString shownText(QWidget* w) {
  if (auto* x = qobject_cast<QLabel*>(w)) return x->text();
  if (auto* x = qobject_cast<QAbstractButton*>(w)) return x->text();
  if (auto* x = qobject_cast<QLineEdit*>(w)) return x->text();
  if (auto* x = qobject_cast<QPlainTextEdit*>(w)) return x->toPlainText();
  if (auto* x = qobject_cast<QComboBox*>(w)) return x->currentText();
  if (auto* x = qobject_cast<QGroupBox*>(w)) return x->title();
  return {};
}

QStringList items(QComboBox* combo) { return comboItems(*combo); }

// Named widgets of the window, without Qt's own inner parts.
std::set<QString> namedWidgets(QWidget& window) {
  std::set<QString> names;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    const QString name = w->objectName();
    if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) names.insert(name);
  }
  return names;
}

TEST(Form1Controls, WindowHoldsExactlyItsControlsWithKindsContainersAndTexts) {
  Form1Harness h;
  EXPECT_EQ(h.form().windowTitle(), "Quillary ver 18B/Mar/2014");
  EXPECT_EQ(h.form().font().family(), "Arial");
  EXPECT_DOUBLE_EQ(h.form().font().pointSizeF(), 9.75);
  EXPECT_FALSE(h.form().font().bold());

  std::set<QString> expectedNames;
  for (const Expected& e : kControls) {
    SCOPED_TRACE(e.name);
    expectedNames.insert(e.name);
    QWidget* w = h.find<QWidget>(e.name);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->metaObject()->className(), e.kind);
    ASSERT_NE(w->parentWidget(), nullptr);
    EXPECT_EQ(w->parentWidget()->objectName(), e.container);
    if (e.text != nullptr) {
      EXPECT_EQ(shownText(w), QString::fromUtf8(e.text));
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
      EXPECT_TRUE(combo->isEditable());
    }
  }
  EXPECT_EQ(namedWidgets(h.form()), expectedNames) << "no control more, none less";
  EXPECT_EQ(h.controls().Text6->toolTip(), "Double click to save name");
}

TEST(Form1Controls, AfterLoadTheTransmitPanelIsHiddenAndTheListsAreFilled) {
  Form1Harness h;
  h.load();
  Form1Controls& c = h.controls();
  EXPECT_FALSE(c.Frame5->isVisible());
  EXPECT_FALSE(c.Text5->isVisible());
  EXPECT_TRUE(c.Frame2->isVisible());
  EXPECT_FALSE(c.Picture4[0]->isVisible());
  EXPECT_EQ(items(c.Combo3), QStringList({"BPSK31", "BPSK63", "BPSK125", "QPSK31", "QPSK63", "QPSK125"}));
  EXPECT_EQ(c.Combo3->currentText(), "BPSK31");
  EXPECT_EQ(items(c.Combo6), QStringList({"1600", "1550", "1500", "1450", "1400", "1300", "1200",
                                          "1100", "1000"}));
  EXPECT_EQ(c.Combo6->currentText(), "1600");
  EXPECT_EQ(items(c.Combo7), QStringList({"500-3000", "500-2500", "1200-1800", "1000-2000"}));
  EXPECT_EQ(c.Combo7->currentText(), "1000-2000");
  EXPECT_EQ(items(c.Combo8),
            QStringList({"Hello", "GM", "GA", "GE", "GN", "GMJ", "GAJ", "GEJ", "GNJ"}));
  EXPECT_EQ(c.Combo8->currentText(), "Hello");
  EXPECT_EQ(items(c.Combo1), QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
  EXPECT_EQ(items(c.Combo2), QStringList({"1", "10", "20", "30", "40", "50", "60", "70", "80", "90"}));
  EXPECT_EQ(items(c.Combo4), QStringList({"50", "100", "150", "200", "250", "300"}));
  EXPECT_EQ(items(c.Combo5), QStringList({"0", "1", "2", "3", "4", "5", "6", "7", "8"}));
  // The IMD meter shows its scale, drawn while the window was not yet shown.
  QImage& meter = c.Picture5->image();
  EXPECT_EQ(meter.pixelColor(2, meter.height() / 2), QColor(255, 0, 0));
  EXPECT_EQ(meter.pixelColor(meter.width() - 2, meter.height() / 2), QColor(0, 255, 255));
}

}  // namespace
}  // namespace quillary::testing

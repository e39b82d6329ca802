// The transmit panel Frame5: the transmit text box, the picture-QSO and
// macro buttons, greeting, tune, abort and the comm port.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/Form1Build.h"
#include "app/Form1Design.h"

namespace quillary {

namespace {

constexpr double kButtonWidth = 650;
constexpr double kButtonStep = 660;

TwipsRect buttonAt(int column, double top) {
  return {100 + column * kButtonStep, top, kButtonWidth, 300};
}

void buildPictureButtons(const ControlMaker& make, Form1Controls& c) {
  static const char* const names[7] = {"Command4_0", "Command4_1", "Command4_2", "Command4_3",
                                       "Command4_4", "Command4_5", "Command4_6"};
  static const char* const captions[7] = {"HYBRID", "PHOTO", "HTML", "GD COPY", "TX", "RX", "73"};
  const QFont consolas = designFont(QStringLiteral("Consolas"), 9.75);
  for (int i = 0; i < 7; ++i) {
    c.Command4[i] = make.button(c.Frame5, names[i], QString::fromLatin1(captions[i]),
                                buttonAt(i, 1320), consolas);
  }
}

void buildMacroButtons(const ControlMaker& make, Form1Controls& c) {
  static const char* const names[7] = {"Command9_0", "Command9_1", "Command9_2", "Command9_3",
                                       "Command9_4", "Command9_5", "Command9_6"};
  const QFont arial = designFont(QStringLiteral("Arial"), 9);
  for (int i = 0; i < 7; ++i) {
    c.Command9[i] = make.button(c.Frame5, names[i], QStringLiteral("sf%1").arg(i + 1),
                                buttonAt(i, 1670), arial);
  }
}

void buildBottomRows(const ControlMaker& make, Form1Controls& c) {
  QWidget* f = c.Frame5;
  const QFont consolas = designFont(QStringLiteral("Consolas"), 9.75);
  const QFont georgia = designFont(QStringLiteral("Georgia"), 9);
  c.Command4_10 = make.button(f, "Command4_10", QStringLiteral("CQ"), buttonAt(0, 2020),
                              designFont(QStringLiteral("Arial"), 9));
  c.Combo8 = make.comboBox(f, "Combo8", QStringLiteral("Hello"), {}, {800, 2020, 900, 300},
                           designFont(QStringLiteral("Arial"), 8.25));
  c.Command6 = make.button(f, "Command6", QStringLiteral("Tune"), {1760, 2020, 700, 300}, consolas);
  c.Command5 = make.button(f, "Command5", QStringLiteral("ABORT(F12)"), {2520, 2020, 1200, 300},
                           consolas);
  c.Label1[1] = make.label(f, "Label1_1", QStringLiteral("Comm Port"), {100, 2370, 1000, 300}, georgia);
  c.Combo5 = make.comboBox(f, "Combo5", QStringLiteral("0"), {}, {1150, 2370, 600, 300}, georgia);
  c.Command3 = make.button(f, "Command3", QStringLiteral("Open"), {1800, 2370, 700, 300}, consolas);
}

}  // namespace

void buildTransmitPanel(const ControlMaker& make, Form1Controls& c) {
  using namespace form1design;
  c.Text5 = make.multiLineBox(c.Frame5, "Text5", QString(),
                              {kText5Left, kText5Top, kWindowWidth - 350 - 200, kText5Height},
                              designFont(QStringLiteral("Georgia"), 11.25));
  c.Text5->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  buildPictureButtons(make, c);
  buildMacroButtons(make, c);
  buildBottomRows(make, c);
}

}  // namespace quillary

// The transmit panel Frame5: the transmit text box, the picture-QSO and
// macro buttons, greeting, tune, abort and the comm port.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/Form1Build.h"
#include "window/Form1Design.h"

namespace quillary {

namespace {

// The picture-QSO buttons stand where operators of picture QSOs expect them:
// one row of seven, and CQ on the row above.
struct PictureButton {
  const char* name;
  const char* caption;
  TwipsRect at;
};
constexpr PictureButton kPictureButtons[7] = {
    {"Command4_0", "HYBRID", {90, 660, 945, 315}},  {"Command4_1", "PHOTO", {1050, 660, 945, 315}},
    {"Command4_2", "HTML", {2010, 660, 945, 315}},  {"Command4_3", "GD COPY", {2970, 660, 945, 315}},
    {"Command4_4", "TX", {3930, 660, 735, 315}},    {"Command4_5", "RX", {4740, 660, 645, 315}},
    {"Command4_6", "73", {5400, 660, 645, 315}},
};
constexpr TwipsRect kCqButton = {4200, 270, 870, 315};

// Rows of the panel, top to bottom: greeting, tune, abort and log beside CQ;
// the picture buttons; the macro buttons; the transmit box; the comm port with
// "Radio" and the station's status line.
constexpr double kTopRow = 270;
constexpr double kMacroRow = 1020;
constexpr double kCommPortRow = 2400;
constexpr double kButtonHeight = 315;
constexpr double kMacroButtonWidth = 835;
constexpr double kMacroButtonStep = 850;

void buildPictureButtons(const ControlMaker& make, Form1Controls& c) {
  const QFont consolas = designFont(QStringLiteral("Consolas"), 9.75);
  for (int i = 0; i < 7; ++i) {
    const PictureButton& b = kPictureButtons[i];
    c.Command4[i] = make.button(c.Frame5, b.name, QString::fromLatin1(b.caption), b.at, consolas);
  }
  c.Command4_10 = make.button(c.Frame5, "Command4_10", QStringLiteral("CQ"), kCqButton,
                              designFont(QStringLiteral("Arial"), 9));
}

void buildMacroButtons(const ControlMaker& make, Form1Controls& c) {
  static const char* const names[7] = {"Command9_0", "Command9_1", "Command9_2", "Command9_3",
                                       "Command9_4", "Command9_5", "Command9_6"};
  const QFont arial = designFont(QStringLiteral("Arial"), 9);
  for (int i = 0; i < 7; ++i) {
    c.Command9[i] = make.button(c.Frame5, names[i], QStringLiteral("sf%1").arg(i + 1),
                                {90 + i * kMacroButtonStep, kMacroRow, kMacroButtonWidth, kButtonHeight},
                                arial);
  }
}

void buildTopRow(const ControlMaker& make, Form1Controls& c) {
  QWidget* f = c.Frame5;
  const QFont consolas = designFont(QStringLiteral("Consolas"), 9.75);
  c.Combo8 = make.comboBox(f, "Combo8", QStringLiteral("Hello"), {}, {90, kTopRow, 1000, kButtonHeight},
                           designFont(QStringLiteral("Arial"), 8.25));
  c.Command6 = make.button(f, "Command6", QStringLiteral("Tune"), {1150, kTopRow, 800, kButtonHeight},
                           consolas);
  c.Command5 = make.button(f, "Command5", QStringLiteral("ABORT(F12)"),
                           {2010, kTopRow, 1400, kButtonHeight}, consolas);
  c.cmdLog = make.button(f, "cmdLog", QStringLiteral("Log"), {3470, kTopRow, 670, kButtonHeight}, consolas);
}

void buildCommPortRow(const ControlMaker& make, Form1Controls& c) {
  QWidget* f = c.Frame5;
  const QFont georgia = designFont(QStringLiteral("Georgia"), 9);
  c.Label1[1] = make.label(f, "Label1_1", QStringLiteral("Comm Port"),
                           {90, kCommPortRow, 1000, kButtonHeight}, georgia);
  c.Combo5 = make.comboBox(f, "Combo5", QStringLiteral("0"), {}, {1150, kCommPortRow, 600, kButtonHeight},
                           georgia);
  c.Command3 = make.button(f, "Command3", QStringLiteral("Open"), {1810, kCommPortRow, 800, kButtonHeight},
                           designFont(QStringLiteral("Consolas"), 9.75));
  c.cmdRadio = make.button(f, "cmdRadio", QStringLiteral("Radio"), {2670, kCommPortRow, 800, kButtonHeight},
                           designFont(QStringLiteral("Consolas"), 9.75));
  c.lblRadio = make.label(f, "lblRadio", QString(), {3530, kCommPortRow, 2530, kButtonHeight},
                          designFont(QStringLiteral("Arial"), 8.25));
}

}  // namespace

void buildTransmitPanel(const ControlMaker& make, Form1Controls& c) {
  using namespace form1design;
  c.Text5 = make.multiLineBox(c.Frame5, "Text5", QString(),
                              {kText5Left, kText5Top, kWindowWidth - 350 - 200, kText5Height},
                              designFont(QStringLiteral("Georgia"), 11.25));
  c.Text5->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  buildTopRow(make, c);
  buildPictureButtons(make, c);
  buildMacroButtons(make, c);
  buildCommPortRow(make, c);
}

}  // namespace quillary

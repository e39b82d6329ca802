// The control panel Frame2: calls and name, the pictures, the frequency,
// IMD and clock rows and the buttons. Frame1 and Frame3 are filled by their
// own builders.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "app/Form1Build.h"
#include "window/FrequencyScrollBar.h"
#include "window/PictureBox.h"

namespace quillary {

namespace {

const QColor kSpectrumBackground(0, 0, 128);

QFont arial(double points) { return designFont(QStringLiteral("Arial"), points); }
QFont georgia(double points) { return designFont(QStringLiteral("Georgia"), points); }
QFont consolas(double points) { return designFont(QStringLiteral("Consolas"), points); }

void buildCallRow(const ControlMaker& make, Form1Controls& c) {
  QWidget* f = c.Frame2;
  c.Label3[2] = make.label(f, "Label3_2", QStringLiteral("My Call"), {60, 120, 780, 300}, georgia(9));
  c.Text4 = make.textBox(f, "Text4", QString(), {840, 120, 860, 300}, georgia(9));
  c.Label1[2] = make.label(f, "Label1_2", QStringLiteral("His Call"), {1740, 120, 900, 300},
                           georgia(9.75));
  c.Text27 = make.textBox(f, "Text27", QStringLiteral("ALL"), {2640, 120, 760, 300}, arial(9));
  c.Text6 = make.textBox(f, "Text6", QStringLiteral("OM"), {3440, 120, 680, 300}, arial(9));
  c.Text6->setToolTip(QStringLiteral("Double click to save name"));
  c.Command11 = make.button(f, "Command11", QStringLiteral("Name"), {4160, 120, 640, 300}, arial(9));
}

void buildPictureRow(const ControlMaker& make, Form1Controls& c) {
  QWidget* f = c.Frame2;
  c.Picture2 = make.picture(f, "Picture2", {100, 470, 2900, 900}, kSpectrumBackground);
  c.Command23 = make.button(c.Picture2, "Command23", QStringLiteral("1600Hz"),
                            {2150, 30, 700, 260}, arial(8.25));
  c.Picture1 = make.picture(f, "Picture1", {3050, 470, 950, 900}, Qt::white);
  c.Picture4[1] = make.picture(c.Picture1, "Picture4_1", {30, 30, 150, 150}, Qt::red);
  c.Picture3 = make.picture(f, "Picture3", {4050, 470, 180, 900}, Qt::white);
  c.VScroll3 = make.scrollBar(f, "VScroll3", 0, 99, {4280, 470, 240, 900});
}

void buildTuningColumn(const ControlMaker& make, Form1Controls& c) {
  QWidget* f = c.Frame2;
  c.Frame1 = make.frame(f, "Frame1", QStringLiteral("PSK Mode"), {60, 1420, 2580, 900},
                        std::nullopt);
  c.Frame3 = make.frame(f, "Frame3", QStringLiteral("FFT Mode"), {2680, 1420, 1330, 900},
                        arial(9));
  c.VScroll1 = make.frequencyScrollBar(f, "VScroll1", 3000, 100, {4060, 1420, 240, 900});
  c.VScroll1->setFrequency(1500);
  c.VScroll2 = make.frequencyScrollBar(f, "VScroll2", 3000, 500, {4330, 1420, 240, 900});
  c.VScroll2->setFrequency(1500);
  c.Picture4[0] = make.picture(f, "Picture4_0", {4600, 1420, 200, 200}, Qt::green);
}

void buildFrequencyRow(const ControlMaker& make, Form1Controls& c) {
  QWidget* f = c.Frame2;
  c.Label1[0] = make.label(f, "Label1_0", QStringLiteral("PSK Freq Hz"), {100, 2370, 1150, 300},
                           arial(9));
  c.txtRec = make.textBox(f, "txtRec", QStringLiteral("1500"), {1250, 2370, 550, 300}, arial(9));
  c.ckRXAFC = make.checkBox(f, "ckRXAFC", QStringLiteral("AFC"), {1810, 2370, 680, 300}, arial(9));
  c.txtTX = make.textBox(f, "txtTX", QStringLiteral("1500"), {2510, 2370, 550, 300}, arial(9));
  c.ckTXAFC = make.checkBox(f, "ckTXAFC", QStringLiteral("NET"), {3090, 2370, 650, 300}, arial(9));
  c.Combo6 = make.comboBox(f, "Combo6", QStringLiteral("1600"), {}, {3760, 2370, 900, 300},
                           arial(9));
}

void buildImdRows(const ControlMaker& make, Form1Controls& c) {
  QWidget* f = c.Frame2;
  c.Label3[0] = make.label(f, "Label3_0", QStringLiteral("IMD"), {100, 2700, 450, 300}, arial(9.75));
  c.txtIMD = make.textBox(f, "txtIMD", QStringLiteral("IMD"), {550, 2700, 2250, 300}, consolas(9));
  c.Text1 = make.textBox(f, "Text1", QString(), {2850, 2700, 450, 300}, consolas(9));
  c.Text2 = make.textBox(f, "Text2", QString(), {3350, 2700, 700, 300}, consolas(9));
  c.Command1 = make.button(f, "Command1", QStringLiteral("Reset"), {4100, 2700, 700, 300},
                           consolas(9));
  c.Picture5 = make.picture(f, "Picture5", {100, 3060, 1300, 240}, Qt::white);
  c.lbMy_2 = make.label(f, "lbMy_2", QStringLiteral("Clock"), {1500, 3030, 550, 300}, consolas(9));
  c.Label2 = make.label(f, "Label2", QStringLiteral("0 ppm"), {2050, 3030, 800, 300}, consolas(9));
  c.Check3 = make.checkBox(f, "Check3", QStringLiteral("TX Button"), {2950, 3030, 1250, 300},
                           consolas(9));
  c.cmdBand = make.button(f, "cmdBand", QStringLiteral("Band"), {4220, 3030, 580, 300}, arial(9));
}

void buildLastLineRow(const ControlMaker& make, Form1Controls& c) {
  QWidget* f = c.Frame2;
  c.Label3[1] = make.label(f, "Label3_1", QStringLiteral("CMD"), {100, 3360, 450, 300}, arial(9.75));
  c.Text3 = make.textBox(f, "Text3", QString(), {550, 3360, 2700, 300}, std::nullopt);
  c.Check1 = make.checkBox(f, "Check1", QStringLiteral("No rec myself"), {3300, 3360, 1500, 300},
                           arial(9));
}

void buildButtonRow(const ControlMaker& make, Form1Controls& c) {
  QWidget* f = c.Frame2;
  c.Command7 = make.button(f, "Command7", QStringLiteral("TX Font"), {100, 3690, 800, 300}, arial(9));
  c.Command19 = make.button(f, "Command19", QStringLiteral("RX Font"), {950, 3690, 800, 300},
                            arial(9));
  c.Command8 = make.button(f, "Command8", QStringLiteral("Macro"), {1800, 3690, 700, 300}, arial(9));
  c.Command2 = make.button(f, "Command2", QStringLiteral("Kanji OFF"), {2550, 3690, 950, 300},
                           arial(9));
  c.Command10 = make.button(f, "Command10", QStringLiteral("Set Sound"), {3550, 3690, 1050, 300},
                            arial(9));
}

}  // namespace

void buildControlPanel(const ControlMaker& make, Form1Controls& c) {
  buildCallRow(make, c);
  buildPictureRow(make, c);
  buildTuningColumn(make, c);
  buildFrequencyRow(make, c);
  buildImdRows(make, c);
  buildLastLineRow(make, c);
  buildButtonRow(make, c);
}

}  // namespace quillary

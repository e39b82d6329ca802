// The two small frames of the control panel: "PSK Mode" (Frame1) and
// "FFT Mode" (Frame3), each label beside the combo box it names.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include "app/Form1Build.h"

namespace quillary {

void buildModeFrame(const ControlMaker& make, Form1Controls& c) {
  QWidget* f = c.Frame1;
  const QFont consolas9 = designFont(QStringLiteral("Consolas"), 9);
  c.Label1[3] = make.label(f, "Label1_3", QStringLiteral("Mode"), {60, 230, 480, 300}, std::nullopt);
  c.Combo3 = make.comboBox(f, "Combo3", QStringLiteral("BPSK31"), {}, {540, 230, 1150, 300},
                           std::nullopt);
  c.Check2 = make.checkBox(f, "Check2", QStringLiteral("Search"), {1710, 230, 850, 300}, consolas9);
  c.Label1[4] = make.label(f, "Label1_4", QStringLiteral("Range"), {60, 570, 480, 300}, std::nullopt);
  c.Combo7 = make.comboBox(f, "Combo7", QStringLiteral("1000-2000"), {}, {540, 570, 1200, 300},
                           std::nullopt);
  c.Combo4 = make.comboBox(f, "Combo4", QStringLiteral("50"),
                           {"50", "100", "150", "200", "250", "300"}, {1760, 570, 770, 300},
                           designFont(QStringLiteral("Georgia"), 8.25));
}

void buildFftFrame(const ControlMaker& make, Form1Controls& c) {
  QWidget* f = c.Frame3;
  const QFont arial9 = designFont(QStringLiteral("Arial"), 9);
  c.lbMy_5 = make.label(f, "lbMy_5", QStringLiteral("Smooth"), {60, 230, 620, 300}, arial9);
  c.Combo1 = make.comboBox(f, "Combo1", QStringLiteral("3"),
                           {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
                           {680, 230, 600, 300}, arial9);
  c.lbMy_6 = make.label(f, "lbMy_6", QStringLiteral("Bias"), {60, 570, 620, 300}, arial9);
  c.Combo2 = make.comboBox(f, "Combo2", QStringLiteral("1"),
                           {"1", "10", "20", "30", "40", "50", "60", "70", "80", "90"},
                           {680, 570, 600, 300}, arial9);
}

}  // namespace quillary

#include "macros/Fonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

#include "app/Form1.h"

namespace quillary {

namespace {

const QString kArial = QStringLiteral("Arial");

// Font name "Arial", and the size when one is given.
void arial(QWidget* widget, std::optional<double> points = std::nullopt) {
  QFont font = widget->font();
  font.setFamily(kArial);
  if (points) font.setPointSizeF(*points);
  widget->setFont(font);
}

}  // namespace

void Font_Set(Form1Context& context) {
  Form1Controls& c = context.controls;
  arial(&context.window);
  for (int i = 0; i <= 4; ++i) arial(c.Command4[i], 9);
  for (QWidget* w : {static_cast<QWidget*>(c.Command1), static_cast<QWidget*>(c.Command2)}) arial(w);
  for (QWidget* w : {c.Text1, c.Text2, c.Text4}) arial(w);
  arial(c.txtRec, 8);
  arial(c.txtIMD);
  for (QWidget* w : {c.Check1, c.Check2, c.Check3}) arial(w, 8);
  for (QWidget* w : {c.lbMy_2, c.lbMy_5, c.lbMy_6}) arial(w, 8);
  arial(c.Label2, 9);
  arial(c.Label1[1], 8);
  for (QWidget* w : {c.Label3[0], c.Label3[1]}) arial(w, 8);
  for (QWidget* w : {c.Frame1, c.Frame3, c.Frame5}) arial(w, 8);
  for (QWidget* w : {c.Command3, c.Command5, c.Command6}) arial(w, 8);
  for (QWidget* w : {c.Combo1, c.Combo2, c.Combo5}) arial(w, 8);
  arial(c.ckRXAFC, 8);
}

}  // namespace quillary

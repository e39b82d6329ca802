#include "macros/Fonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <optional>

#include "window/Dialogs.h"
#include "window/Form1Context.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/TwipsWindow.h"

namespace quillary {

namespace {

const QString kArial = QStringLiteral("Arial");

// Free Japanese fonts that stand in for the Japanese font name, most alike
// first (proportional gothic faces).
const QStringList kJapaneseFallbacks = {
    QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"),
    QStringLiteral("VL PGothic"), QStringLiteral("TakaoPGothic")};

// Font name "Arial", and the size when one is given.
void arial(QWidget* widget, std::optional<double> points = std::nullopt) {
  setFontName(*widget, kArial);
  if (!points) return;
  QFont font = widget->font();
  font.setPointSizeF(*points);
  widget->setFont(font);
}

void chooseFontFor(Form1Context& context, QWidget& box) {
  const QFont current = box.font();
  QFont initial(current.family());
  initial.setPointSizeF(current.pointSizeF());
  initial.setBold(current.bold());
  const std::optional<QFont> chosen = context.dialogs.chooseFont(initial);
  if (!chosen) return;
  QFont font = box.font();
  font.setPointSizeF(chosen->pointSizeF());
  font.setBold(chosen->bold());
  box.setFont(font);
  setFontName(box, chosen->family());
}

}  // namespace

QString japaneseFontName() { return QString::fromUtf8("ＭＳ Ｐゴシック"); }

void setFontName(QWidget& widget, const QString& family) {
  QFont font = widget.font();
  QStringList families{family};
  if (family == japaneseFontName()) families += kJapaneseFallbacks;
  font.setFamilies(families);
  widget.setFont(font);
}

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

void onKanjiClicked(Form1Context& context) {
  Form1Controls& c = context.controls;
  const bool on = context.state.kanjiMode != 1;
  context.state.kanjiMode = on ? 1 : 0;
  c.Command2->setText(on ? QStringLiteral("Kanji ON") : QStringLiteral("Kanji OFF"));
  const QString name = on ? japaneseFontName() : kArial;
  for (QWidget* box : {static_cast<QWidget*>(c.Term), static_cast<QWidget*>(c.Text3),
                       static_cast<QWidget*>(c.Text5), static_cast<QWidget*>(c.Text6)})
    setFontName(*box, name);
  for (int i = 0; i < 7; ++i) {
    arial(c.Command4[i], 9);
    arial(c.Command9[i], 9);
  }
}

void onReceiveFontClicked(Form1Context& context) { chooseFontFor(context, *context.controls.Term); }
void onTransmitFontClicked(Form1Context& context) { chooseFontFor(context, *context.controls.Text5); }

void connectFonts(Form1Context& context) {
  Form1Controls& c = context.controls;
  QObject::connect(c.Command2, &QPushButton::clicked, &context.window,
                   [&context] { onKanjiClicked(context); });
  QObject::connect(c.Command19, &QPushButton::clicked, &context.window,
                   [&context] { onReceiveFontClicked(context); });
  QObject::connect(c.Command7, &QPushButton::clicked, &context.window,
                   [&context] { onTransmitFontClicked(context); });
}

}  // namespace quillary

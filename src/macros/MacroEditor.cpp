#include "macros/MacroEditor.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "common/AtomicFile.h"
#include "macros/Fonts.h"
#include "macros/MacroMenus.h"
#include "transmit/TransmitBox.h"
#include "window/ControlMaker.h"
#include "window/Dialogs.h"
#include "window/EventWatch.h"
#include "window/Form1Context.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/TwipsWindow.h"
#include "window/UnwrittenFiles.h"

namespace quillary {

namespace {

const QString kEditorName = QStringLiteral("frmMacro");

constexpr double kRowStep = 1080;

const char* const kDefaultTexts[kMacroCount] = {
    "<TX>\r\nSend This TEXT and receive\r\n<RX>\r\n",
    "<TX>\r\n<HIS> de <MY> \r\n:Command\r\n",
    "\r\nTks FB Picture QSO Best wishes to you and yours\r\n<HIS> de <MY> tu sk sk \r\n<RX> \r\n",
    "<TX> \r\n<HIS> de <MY> \r\nPlease send it again\r\n<HIS> de <MY> pse kn\r\n<RX> \r\n",
    "<TX>\r\nQRZ QRZ QRZ ???\r\nde <MY> pse kn\r\n<RX> \r\n",
    "\r\nOnly Text Data\r\n",
    "\r\nOnly Command\r\n",
};

const QStringList kTokenItems = {
    QStringLiteral("<TX> "), QStringLiteral("<HIS> de <MY> "), QStringLiteral("<GM>"),
    QStringLiteral("<OM>"), QStringLiteral("<HIS> de <MY> pse kn "),
    QStringLiteral("<HIS> de <MY> tu sk sk "), QStringLiteral("<RX> ")};

std::string elementName(const char* control, int i) {
  return std::string(control) + "_" + std::to_string(i);
}

}  // namespace

MacroEditor::MacroEditor(Form1Context& context, MacroFileWriter write)
    : QWidget(&context.window, Qt::Window), context_(context), write_(std::move(write)) {
  setObjectName(kEditorName);
  setWindowTitle(QStringLiteral("Macro Menu"));
  setAttribute(Qt::WA_DeleteOnClose);
  build();
  load();
}

void MacroEditor::build() {
  const TwipsScale scale = context_.window.scale();
  const ControlMaker make(scale);
  resize(scale.x(6150), scale.y(420 + kRowStep * 6 + 765 + 200));
  for (int i = 0; i < kMacroCount; ++i) {
    const double row = kRowStep * i;
    Label1[i] = make.label(this, elementName("Label1", i).c_str(),
                           QStringLiteral("Title %1 Macro Menu %1").arg(i + 1), {90, 150 + row, 735, 270},
                           std::nullopt);
    Label1[i]->setWordWrap(true);
    Text2[i] = make.textBox(this, elementName("Text2", i).c_str(), QStringLiteral("sf%1").arg(i + 1),
                            {870, 150 + row, 1635, 270}, std::nullopt);
    Text1[i] = make.multiLineBox(this, elementName("Text1", i).c_str(), QString::fromUtf8(kDefaultTexts[i]),
                                 {870, 420 + row, 5085, 765}, std::nullopt);
    Text1[i]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Only a click selects a box; moving into it with the keyboard does not.
    watchEvents(*Text1[i]->viewport(), QEvent::MouseButtonPress, [this, i](QEvent&) {
      selectedBox_ = static_cast<int16_t>(i);
      return false;
    });
  }
  Combo8 = make.comboBox(this, "Combo8", QString(), {}, {2600, 130, 2200, 300}, std::nullopt);
  connect(Combo8, &QComboBox::activated, this, [this](int index) { insertToken(index); });
}

void MacroEditor::load() {
  move(context_.window.pos());
  const QString font = context_.state.kanjiMode == 1 ? japaneseFontName() : QStringLiteral("Arial");
  for (int i = 0; i < kMacroCount; ++i) {
    setFontName(*Text1[i], font);
    setFontName(*Text2[i], font);
  }
  Menu_Set();
  Combo8->clear();
  Combo8->addItems(kTokenItems);
  Combo8->setEditText(QStringLiteral("Insert Macro"));
  selectedBox_ = kNoBoxSelected;
}

void MacroEditor::Set_File(int k) {
  const std::optional<MacroMenu> menu =
      loadMacroFile(context_.state.programFolder, k, &readMacroForEditor, write_);
  if (!menu) return;
  Text2[k - 1]->setText(menu->title);
  Text1[k - 1]->setPlainText(menu->text);
  if (menu->cut) cutAtReading_[k - 1] = MacroMenu{Text2[k - 1]->text(), transmitBoxText(*Text1[k - 1])};
}

void MacroEditor::Menu_Set() {
  for (int k = 1; k <= kMacroCount; ++k) Set_File(k);
}

void MacroEditor::Set_Again() {
  QStringList notStored;
  for (int k = 1; k <= kMacroCount; ++k) {
    const QString title = Text2[k - 1]->text();
    const QString text = transmitBoxText(*Text1[k - 1]);
    const std::optional<MacroMenu>& cut = cutAtReading_[k - 1];
    const bool untouched = cut && cut->title == title && cut->text == text;
    if (!untouched && !write_(macroFile(context_.state.programFolder, k), formatMacroFile(title, text)))
      notStored << QString::number(k);
    setMacroTitle(context_, k, title);
    setMacroText(context_, k, text);
  }
  const QString message =
      QStringLiteral("Macro menu %1 could not be stored").arg(notStored.join(QStringLiteral(", ")));
  for (const QString& k : notStored)
    reportUnwritten(context_, macroFile(context_.state.programFolder, k.toInt()), message);
}

void MacroEditor::insertToken(int index) {
  if (index < 0) return;
  if (selectedBox_ == kNoBoxSelected) {
    context_.dialogs.message(QStringLiteral("Select text box !!!"), Dialogs::Buttons::Ok);
    return;
  }
  appendToTransmitBox(*Text1[selectedBox_], Combo8->itemText(index) + QStringLiteral("\r\n"));
}

void MacroEditor::closeEvent(QCloseEvent* event) {
  Set_Again();
  // Closed for good: the next "Macro" makes and loads a new editor, even
  // before this one is deleted.
  setObjectName(QString());
  event->accept();
}

MacroEditor* openMacroEditor(Form1Context& context) {
  return context.window.findChild<MacroEditor*>(kEditorName, Qt::FindDirectChildrenOnly);
}

MacroEditor& showMacroEditor(Form1Context& context, MacroFileWriter write) {
  MacroEditor* editor = openMacroEditor(context);
  if (editor == nullptr) editor = new MacroEditor(context, std::move(write));
  editor->show();
  editor->raise();
  editor->activateWindow();
  return *editor;
}

void onMacroButtonClicked(Form1Context& context) { showMacroEditor(context, &writeFileAtomically); }

void closeMacroEditor(Form1Context& context) {
  if (MacroEditor* editor = openMacroEditor(context)) editor->close();
}

void connectMacroEditor(Form1Context& context) {
  QObject::connect(context.controls.Command8, &QPushButton::clicked, &context.window,
                   [&context] { onMacroButtonClicked(context); });
}

}  // namespace quillary

#include "transmit/TransmitKeys.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include "logbook/LogbookHandlers.h"
#include "macros/MacroSend.h"
#include "modem/ModemLibrary.h"
#include "picture/PictureActions.h"
#include "transmit/OwnCall.h"
#include "transmit/TransmitBox.h"
#include "transmit/TransmitFrequency.h"
#include "window/Dialogs.h"
#include "window/EventWatch.h"
#include "window/Form1Context.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/TwipsWindow.h"

namespace quillary {

namespace {

using Kind = KeyCommand::Kind;

constexpr PictureAction kKeyActions[8] = {
    PictureAction::Hybrid, PictureAction::Photo, PictureAction::Html,         PictureAction::GdCopy,
    PictureAction::Tx,     PictureAction::Rx,    PictureAction::SeventyThree, PictureAction::Cq};

// The Morse text goes out at the end of a tune-mode transmission that is
// stopped at once.
void morseSignOff(Form1Context& context, const char* morse) {
  context.modem.fnSetCWIDString(morse);
  context.modem.fnStartTX(kModeTune);
  context.modem.fnStopTX();
  context.state.transmitState = 2;
}

// The type-ahead is sent and stays in the box. Without a modifier the
// transmit state follows the modem's report; with one it is set here.
void transmitOnOff(Form1Context& context, bool modifier) {
  MainState& state = context.state;
  if (state.transmitState != 0) {
    context.modem.fnStopTX();
    if (modifier) state.transmitState = 0;
    return;
  }
  TX_Freq(context);
  if (modifier) state.transmitState = 1;
  context.modem.fnStartTX(state.modeCode);
  const QString typed = transmitBoxText(*context.controls.Text5);
  if (!typed.isEmpty()) sendToModem(context.modem, typed);
}

void run(Form1Context& context, const KeyCommand& command, bool modifier) {
  switch (command.kind) {
    case Kind::Picture:
      runPictureAction(context, static_cast<PictureAction>(command.number), ActionSource::Key);
      break;
    case Kind::Macro:
      sendMacro(context, command.number, MacroSendForm::Key);
      break;
    case Kind::MorseSignOff:
      morseSignOff(context, command.morse);
      break;
    case Kind::TransmitOnOff:
      transmitOnOff(context, modifier);
      break;
    case Kind::Abort:
      context.modem.fnAbortTX();
      break;
    case Kind::LogContact:
      openLogEntry(context);
      break;
    case Kind::Nothing:
      break;
  }
}

// Every line end as CR LF, as the program's own texts have them: this
// platform's clipboard ends lines with LF alone, which the other station
// would not see as a new line.
QString withCrLf(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QString withoutOuterSpaces(const QString& text) {
  qsizetype start = 0, end = text.size();
  while (start < end && text.at(start) == QLatin1Char(' ')) ++start;
  while (end > start && text.at(end - 1) == QLatin1Char(' ')) --end;
  return text.mid(start, end - start);
}

bool onKey(Form1Context& context, QKeyEvent& key) {
  const bool modifier = (key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != 0;
  onTransmitBoxKeyDown(context, key.key(), modifier);
  // Delete edits the box; it types no character (its 127 would go on air).
  if (key.key() != Qt::Key_Delete) onTransmitBoxCharacter(context, key.text());
  return false;
}

}  // namespace

KeyCommand keyCommand(int key, bool modifier) {
  if (key >= Qt::Key_F1 && key <= Qt::Key_F8) {
    const int n = key - Qt::Key_F1;
    if (!modifier) return {Kind::Picture, static_cast<int>(kKeyActions[n])};
    if (key == Qt::Key_F8) return {Kind::LogContact};
    return {Kind::Macro, n + 1};
  }
  switch (key) {
    case Qt::Key_F9: return {Kind::MorseSignOff, 0, "tu * e e"};
    case Qt::Key_F10: return {Kind::MorseSignOff, 0, "e e"};
    case Qt::Key_F11: return {Kind::TransmitOnOff};
    case Qt::Key_F12: return {Kind::Abort};
    default: return {};
  }
}

void onTransmitBoxKeyDown(Form1Context& context, int key, bool modifier) {
  if (!requireOwnCall(context)) return;
  run(context, keyCommand(key, modifier), modifier);
  context.controls.Text5->setFocus();
}

void onTransmitBoxCharacter(Form1Context& context, const QString& character) {
  if (context.state.transmitState == 1 && !character.isEmpty()) sendToModem(context.modem, character);
}

void onTransmitBoxRightButton(Form1Context& context) {
  if (context.dialogs.message(QStringLiteral("Paste ??"), Dialogs::Buttons::YesNo) !=
      Dialogs::Answer::Yes)
    return;
  const QString text = withCrLf(withoutOuterSpaces(QApplication::clipboard()->text()));
  if (context.state.transmitState == 1) sendToModem(context.modem, text);
  appendToTransmitBox(*context.controls.Text5, text);
}

void onTransmitBoxDoubleClick(Form1Context& context) {
  context.controls.Text5->clear();
  context.modem.fnClearTXBuffer();
}

void connectTransmitKeys(Form1Context& context) {
  QPlainTextEdit& box = *context.controls.Text5;
  // The right button pastes; the box's own menu would come up over it.
  box.setContextMenuPolicy(Qt::PreventContextMenu);
  watchEvents(box, QEvent::KeyPress,
              [&context](QEvent& event) { return onKey(context, static_cast<QKeyEvent&>(event)); });
  // Text composed by an input method (Kanji) arrives as a commit, not a key.
  watchEvents(box, QEvent::InputMethod, [&context](QEvent& event) {
    onTransmitBoxCharacter(context, static_cast<QInputMethodEvent&>(event).commitString());
    return false;
  });
  watchEvents(*box.viewport(), QEvent::MouseButtonPress, [&context](QEvent& event) {
    if (static_cast<QMouseEvent&>(event).button() == Qt::RightButton) onTransmitBoxRightButton(context);
    return false;
  });
  watchEvents(*box.viewport(), QEvent::MouseButtonDblClick, [&context](QEvent&) {
    onTransmitBoxDoubleClick(context);
    return true;
  });
}

}  // namespace quillary

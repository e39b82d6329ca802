#pragma once
// The transmit box Text5 as the operator's keyboard. Every key first needs
// the own call; F1 to F8 run the picture-QSO actions, F1 to F7 with Shift,
// Ctrl or Alt send the macros (F8 with one opens the log form), F9 and F10
// a Morse sign-off, F11 keys the transmitter on and off, F12 aborts. While transmitting each typed
// character goes out at once. A right click pastes, a double click empties
// the box and the modem's queue. No key is swallowed: the box still gets it.
#include <QString>

#include "window/Form1Context.h"

namespace quillary {

// What a function key does, by the key and whether a modifier is held.
struct KeyCommand {
  enum class Kind { Nothing, Picture, Macro, MorseSignOff, TransmitOnOff, Abort, LogContact };
  Kind kind = Kind::Nothing;
  int number = 0;      // Picture: the PictureAction; Macro: the menu 1..7
  const char* morse = nullptr;  // MorseSignOff: the Morse text
};
// `key` is a Qt::Key; any of Shift, Ctrl and Alt counts as the modifier.
// F8 with a modifier, the one key of the map that sends nothing, logs the
// contact.
KeyCommand keyCommand(int key, bool modifier);

// Key down: the own-call check, the key's command, the focus on Text5.
void onTransmitBoxKeyDown(Form1Context& context, int key, bool modifier);
// A character typed: sent at once while the transmit state is 1.
void onTransmitBoxCharacter(Form1Context& context, const QString& character);
// Right button: after "Paste ??", the clipboard's text without its outer
// blanks goes to the end of the box (and out, while transmitting).
void onTransmitBoxRightButton(Form1Context& context);
// Double click: the box and the modem's queue are emptied.
void onTransmitBoxDoubleClick(Form1Context& context);

void connectTransmitKeys(Form1Context& context);

}  // namespace quillary

#pragma once
// Macro tokens replaced before a stored text is sent: "<MY>" the own call,
// "<OM>" his name, "<GM>" the greeting, "<HIS>" his call; "<TX>" and "<RX>"
// insert nothing and ask the caller to key the transmitter before the text
// and to unkey it after.
#include <QString>

#include "window/Form1Context.h"

namespace quillary {

struct MacroValues {
  QString ownCall;   // Text4, as typed
  QString hisCall;   // Text27, as typed
  QString hisName;
  QString greeting;  // already looked up from the greeting code
};

struct ExpandedMacro {
  QString text;
  bool transmit = false;  // "<TX>" was met
  bool receive = false;   // "<RX>" was met
};

// The greeting a code of the greeting list inserts; "" for any other text.
QString greetingFor(const QString& code);

// Replaces the tokens in their fixed order <MY>, <OM>, <GM>, <HIS>, <TX>,
// <RX>, each pass seeing what the earlier ones made. A token is found in any
// letter case; the text before it gains one blank, and the one character
// after it is dropped and replaced by a blank (a token at the very end
// leaves just that blank). "<RX>" drops everything after it. A value that
// holds its own token is inserted as it is: the search goes on after it.
ExpandedMacro expandMacro(const QString& text, const MacroValues& values);

// The main window's expansion: the send text is expanded with the own call,
// his call, his name and the greeting chosen in Combo8; the transmit-token
// and receive-token flags are set.
void Insert_Send(Form1Context& context);

}  // namespace quillary

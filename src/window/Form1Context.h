#pragma once
// What a handler or procedure of the main window works on: the window (its
// geometry in twips, and the object its handlers are connected through),
// its controls, the shared values, the modem, the dialogs and the radio. Each feature's
// procedures take this, so they never need the Form1 class that builds and
// wires them.
namespace quillary {

class Dialogs;
class ModemLibrary;
class RadioLink;
struct Form1Controls;
struct MainState;
class TwipsWindow;

struct Form1Context {
  TwipsWindow& window;
  Form1Controls& controls;
  MainState& state;
  ModemLibrary& modem;
  Dialogs& dialogs;
  RadioLink& radio;  // CAT and VOX keying, the dial
};

}  // namespace quillary

#pragma once
// What a handler or procedure of the main window works on: the window (its
// geometry in twips, and the object its handlers are connected through),
// its controls, the shared values, the modem and the dialogs. Each feature's
// procedures take this, so they never need the Form1 class that builds and
// wires them.
namespace quillary {

class Dialogs;
class ModemLibrary;
struct Form1Controls;
struct MainState;
class TwipsWindow;

struct Form1Context {
  TwipsWindow& window;
  Form1Controls& controls;
  MainState& state;
  ModemLibrary& modem;
  Dialogs& dialogs;
};

}  // namespace quillary

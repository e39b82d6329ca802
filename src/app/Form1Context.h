#pragma once
// What a handler or procedure of the main window works on: the window, its
// controls, the shared values, the modem and the dialogs. Each subsystem's
// procedures take this, so they can be called and tested without knowing
// the Form1 class.
namespace quillary {

class Dialogs;
class ModemLibrary;
struct Form1Controls;
struct MainState;
class Form1;

struct Form1Context {
  Form1& window;
  Form1Controls& controls;
  MainState& state;
  ModemLibrary& modem;
  Dialogs& dialogs;
};

}  // namespace quillary

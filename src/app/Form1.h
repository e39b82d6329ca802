#pragma once
// The main window. Built with every control of its design; showing it the
// first time runs the load sequence (fonts, placement, settings, modem start
// and first tuning, the hook, the lists), closing it runs the unload
// sequence (modem stop, hook removal, settings written). It is the window
// the modem posts its notifications to.
#include <cstdint>
#include <filesystem>
#include <memory>

#include "modem/ModemWindow.h"
#include "window/Form1Context.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/TwipsWindow.h"

namespace quillary {

class Dialogs;
class ModemEventHook;
class ModemLibrary;
class RadioLink;

class Form1 : public TwipsWindow, public ModemWindow {
  Q_OBJECT
 public:
  // `programFolder` holds every file of the main window; `soundDevice` is the
  // device the chooser settled on (-1 = the system's default); `radio` keys
  // by CAT or VOX and reads the dial.
  Form1(ModemLibrary& modem, Dialogs& dialogs, RadioLink& radio, std::filesystem::path programFolder,
        int16_t soundDevice, QWidget* parent = nullptr);
  ~Form1() override;

  // Thread-safe: turns the notification into an event on this window.
  void post(int32_t message, int32_t wParam, int32_t lParam) override;

  Form1Controls& controls() { return controls_; }
  MainState& state() { return state_; }
  Form1Context& context() { return context_; }
  bool isLoaded() const { return loaded_; }
  ModemEventHook* hook() const { return hook_.get(); }

  void setVisible(bool visible) override;

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void layoutControls() override;

 private:
  // Load sequence (Form1Load.cpp).
  void runLoadSequence();
  void centreOnScreen();
  void keepReachable();
  void startModem();
  void tuneModem();
  void setSpectrumMode();
  void installHook();
  // Unload sequence (Form1Unload.cpp).
  void runUnloadSequence();
  void removeHook();
  void writeSettingsFiles();

  void connectHandlers();

  ModemLibrary& modem_;
  Dialogs& dialogs_;
  MainState state_;
  Form1Controls controls_;
  Form1Context context_;
  std::unique_ptr<ModemEventHook> hook_;
  bool loaded_ = false;
  bool unloaded_ = false;
};

}  // namespace quillary

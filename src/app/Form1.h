#pragma once
// The main window. Built with every control of its design; showing it the
// first time runs the load sequence (fonts, placement, settings, modem start
// and first tuning, the hook, the lists), closing it runs the unload
// sequence (modem stop, hook removal, settings written). It is the window
// the modem posts its notifications to.
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "app/Form1Context.h"
#include "app/Form1Controls.h"
#include "app/MainState.h"
#include "app/TwipsScale.h"
#include "modem/ModemWindow.h"

namespace quillary {

class Dialogs;
class ModemEventHook;
class ModemLibrary;

class Form1 : public QWidget, public ModemWindow {
  Q_OBJECT
 public:
  // `programFolder` holds every file of the main window; `soundDevice` is the
  // device the chooser settled on (-1 = the system's default).
  Form1(ModemLibrary& modem, Dialogs& dialogs, std::filesystem::path programFolder,
        int16_t soundDevice, QWidget* parent = nullptr);
  ~Form1() override;

  // Thread-safe: turns the notification into an event on this window.
  void post(int32_t message, int32_t wParam, int32_t lParam) override;

  Form1Controls& controls() { return controls_; }
  MainState& state() { return state_; }
  Form1Context& context() { return context_; }
  bool isLoaded() const { return loaded_; }
  ModemEventHook* hook() const { return hook_.get(); }

  // Window geometry in twips. Every size change runs the layout.
  const TwipsScale& scale() const { return scale_; }
  double topTwips() const;
  double leftTwips() const;
  double widthTwips() const;
  double heightTwips() const;
  void setTopTwips(double top);
  void setLeftTwips(double left);
  void setWidthTwips(double width);
  void setHeightTwips(double height);
  // Places the controls for the window's current size.
  void runLayout();

  void setVisible(bool visible) override;

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

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
  // What the window manager's frame adds to the inner size.
  QSize frameAllowance() const;
  void keepOuterSizeAcrossFrame();

  ModemLibrary& modem_;
  Dialogs& dialogs_;
  TwipsScale scale_;
  MainState state_;
  Form1Controls controls_;
  Form1Context context_;
  std::unique_ptr<ModemEventHook> hook_;
  bool loaded_ = false;
  bool unloaded_ = false;
  QSize knownFrame_{0, 0};
};

}  // namespace quillary

#include "app/Form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>

#include "app/Form1Build.h"
#include "display/MainWindowLayout.h"
#include "link/ModemEventHook.h"
#include "window/ControlMaker.h"
#include "window/Form1Design.h"
#include "window/ModemMessageEvent.h"

namespace quillary {

Form1::Form1(ModemLibrary& modem, Dialogs& dialogs, RadioLink& radio, std::filesystem::path programFolder,
             int16_t soundDevice, QWidget* parent)
    : TwipsWindow(parent),
      modem_(modem),
      dialogs_(dialogs),
      context_{*this, controls_, state_, modem_, dialogs_, radio} {
  state_.programFolder = std::move(programFolder);
  state_.soundDevice = soundDevice;
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Quillary ver 18B/Mar/2014"));
  QFont windowFont(QStringLiteral("Arial"));
  windowFont.setPointSizeF(9.75);
  setFont(windowFont);
  resize(scale().x(form1design::kWindowWidth), scale().y(form1design::kWindowHeight));
  buildForm1(*this, ControlMaker(scale()), controls_);
  connectHandlers();
}

Form1::~Form1() {
  // A window destroyed without being closed still stops the modem and keeps
  // its settings, so the modem never posts to a window that is gone.
  if (loaded_ && !unloaded_) runUnloadSequence();
}

void Form1::post(int32_t message, int32_t wParam, int32_t lParam) {
  QCoreApplication::postEvent(this, new ModemMessageEvent(message, wParam, lParam));
}

void Form1::layoutControls() { applyMainWindowLayout(context_); }

void Form1::setVisible(bool visible) {
  if (visible && !loaded_) {
    loaded_ = true;
    runLoadSequence();
  }
  QWidget::setVisible(visible);
}

bool Form1::event(QEvent* event) {
  // The window's own handling of a modem notification: nothing more to do
  // once the hook (if installed) has seen it.
  if (event->type() == ModemMessageEvent::eventType()) return true;
  return QWidget::event(event);
}

void Form1::closeEvent(QCloseEvent* event) {
  if (loaded_ && !unloaded_) runUnloadSequence();
  event->accept();
}

}  // namespace quillary

#include "app/Form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>

#include "app/ControlMaker.h"
#include "app/Form1Build.h"
#include "app/Form1Design.h"
#include "display/MainWindowLayout.h"
#include "modem/ModemEventHook.h"
#include "modem/ModemMessageEvent.h"

namespace quillary {

Form1::Form1(ModemLibrary& modem, Dialogs& dialogs, std::filesystem::path programFolder,
             int16_t soundDevice, QWidget* parent)
    : QWidget(parent),
      modem_(modem),
      dialogs_(dialogs),
      scale_(TwipsScale::of(*this)),
      context_{*this, controls_, state_, modem_, dialogs_} {
  state_.programFolder = std::move(programFolder);
  state_.soundDevice = soundDevice;
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Quillary ver 18B/Mar/2014"));
  QFont windowFont(QStringLiteral("Arial"));
  windowFont.setPointSizeF(9.75);
  setFont(windowFont);
  resize(scale_.x(form1design::kWindowWidth), scale_.y(form1design::kWindowHeight));
  buildForm1(*this, ControlMaker(scale_), controls_);
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

double Form1::topTwips() const { return scale_.yTwips(pos().y()); }
double Form1::leftTwips() const { return scale_.xTwips(pos().x()); }
// Width and height are the window's outer size, frame included, as
// psk.ini keeps them and the layout's allowances expect.
double Form1::widthTwips() const { return scale_.xTwips(frameGeometry().width()); }
double Form1::heightTwips() const { return scale_.yTwips(frameGeometry().height()); }

QSize Form1::frameAllowance() const { return frameGeometry().size() - size(); }

void Form1::setTopTwips(double top) { move(pos().x(), scale_.y(top)); }
void Form1::setLeftTwips(double left) { move(scale_.x(left), pos().y()); }

void Form1::setWidthTwips(double width) {
  resize(std::max(1, scale_.x(width) - frameAllowance().width()), height());
  runLayout();
}

void Form1::setHeightTwips(double height) {
  resize(width(), std::max(1, scale_.y(height) - frameAllowance().height()));
  runLayout();
}

void Form1::keepOuterSizeAcrossFrame() {
  // The window manager adds its frame only once the window is on the
  // screen: the inner size gives way, so the outer size stays the one set.
  const QSize allowance = frameAllowance();
  if (allowance == knownFrame_) return;
  const QSize inner = size() + knownFrame_ - allowance;
  knownFrame_ = allowance;
  resize(inner.expandedTo(QSize(1, 1)));
}

void Form1::runLayout() { applyMainWindowLayout(context_); }

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

void Form1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  keepOuterSizeAcrossFrame();
  runLayout();
}

void Form1::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  keepOuterSizeAcrossFrame();
}

}  // namespace quillary

#include "transmit/TransmitControls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "common/Numbers.h"
#include "modem/ModemLibrary.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"

namespace quillary {

namespace {
// The tune carrier's identification: no call sign in it.
constexpr const char* kTuneIdentification = "de  k";
}  // namespace

void onAbortClicked(Form1Context& context) {
  context.modem.fnAbortTX();
  context.controls.Text5->clear();
  context.controls.Text5->setFocus();
}

void onTuneClicked(Form1Context& context) {
  // The flag turns 1 only when the modem reports the carrier on; a second
  // press before that report keys again instead of dropping.
  if (context.state.transmitterOn == 0) {
    context.modem.fnSetCWIDString(kTuneIdentification);
    context.modem.fnStartTX(kModeTune);
  } else {
    context.modem.fnAbortTX();
  }
  context.controls.Text5->setFocus();
}

void onPresetClicked(Form1Context& context) {
  Form1Controls& c = context.controls;
  // A preset box that holds no 16-bit number keeps the last preset, and the
  // receiver is not sent a frequency nobody chose.
  const auto number = parseNumber(c.Combo6->currentText().toStdString());
  const auto preset = number ? toInt16(*number) : std::nullopt;
  if (!preset) return;
  context.state.presetCentre = *preset;
  context.modem.fnSetRXFrequency(*preset, 0, 0);
  const QString digits = QString::number(*preset);
  c.txtTX->setText(digits);
  c.txtRec->setText(digits);
}

void connectTransmitControls(Form1Context& context) {
  Form1Controls& c = context.controls;
  QObject::connect(c.Command5, &QPushButton::clicked, c.Command5,
                   [context]() mutable { onAbortClicked(context); });
  QObject::connect(c.Command6, &QPushButton::clicked, c.Command6,
                   [context]() mutable { onTuneClicked(context); });
  QObject::connect(c.Command23, &QPushButton::clicked, c.Command23,
                   [context]() mutable { onPresetClicked(context); });
}

}  // namespace quillary

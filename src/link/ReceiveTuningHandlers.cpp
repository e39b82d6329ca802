#include "link/ReceiveTuningHandlers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "link/ReceiveTuning.h"
#include "modem/ModemLibrary.h"
#include "window/ComboChoice.h"
#include "window/EventWatch.h"
#include "window/Form1Controls.h"
#include "window/FrequencyScrollBar.h"
#include "window/MainState.h"

namespace quillary {

namespace {

std::optional<int32_t> numberIn(const QLineEdit& box) {
  return numberInText(box.text().toStdString());
}

std::optional<int32_t> numberIn(const QComboBox& box) {
  return numberInText(box.currentText().toStdString());
}

// A receive-frequency box that holds no number leaves the receiver where it is.
void tuneToReceiveBox(Form1Context& context) {
  if (const auto hz = numberIn(*context.controls.txtRec)) context.modem.fnSetRXFrequency(*hz, 0, 0);
}

}  // namespace

// A typed text that names no mode changes nothing; the box shows the mode
// in use again rather than one the modem is not in.
void onModeChosen(Form1Context& context) {
  const auto code = modeCodeForName(context.controls.Combo3->currentText().toStdString());
  if (!code) {
    for (std::string_view name : kModeNames)
      if (modeCodeForName(name) == context.state.modeCode)
        context.controls.Combo3->setEditText(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    return;
  }
  context.state.modeCode = *code;
  context.modem.fnSetRXPSKMode(*code, 0);
}

void onPresetChosen(Form1Context& context) {
  const auto preset = presetForText(context.controls.Combo6->currentText().toStdString());
  if (!preset) {
    context.controls.Combo6->setEditText(QString::number(context.state.presetCentre));
    return;
  }
  const QString digits = QString::number(*preset);
  context.controls.Command23->setText(digits + QStringLiteral("Hz"));
  context.state.presetCentre = *preset;
  context.controls.txtTX->setText(digits);
  context.modem.fnSetRXFrequency(*preset, 0, 0);
}

void onReceiveScroll(Form1Context& context, int value) {
  context.controls.txtRec->setText(QString::number(value));
  tuneToReceiveBox(context);
}

void onReceiveTextChanged(Form1Context& context) {
  if (context.controls.ckTXAFC->isChecked()) {
    context.controls.txtTX->setText(context.controls.txtRec->text());
  }
}

void onReceiveDoubleClick(Form1Context& context) {
  context.modem.fnSetRXFrequency(kRestFrequencyHz, 0, 0);
}

void onTransmitScroll(Form1Context& context, int value) {
  context.controls.txtTX->setText(QString::number(value));
}

void onAfcClicked(Form1Context& context, bool checked) {
  if (!checked) {
    context.modem.fnSetAFCLimit(0, 0);
    context.state.afc = 0;
    return;
  }
  context.modem.fnSetAFCLimit(kAfcOnLimitHz, 0);
  tuneToReceiveBox(context);
  context.state.afc = 1;
}

void onSquelchScroll(Form1Context& context, int value) {
  context.state.squelch = squelchForScrollValue(value);
  context.modem.fnSetSquelchThreshold(context.state.squelch, 0, 0);
}

void onSpectrumModeChosen(Form1Context& context) {
  const auto smoothing = numberIn(*context.controls.Combo1);
  const auto bias = numberIn(*context.controls.Combo2);
  // A typed text that is no number sends nothing rather than a made-up mode.
  if (!smoothing || !bias) return;
  context.modem.fnSetFFTMode(*smoothing, kSpectrumScale, *bias);
}

void connectReceiveTuning(Form1Context& context) {
  Form1Controls& c = context.controls;
  // The load sequence switches AFC on (limit 500, flag 1); the box shows it.
  c.ckRXAFC->setChecked(true);
  // Combo boxes act on the operator's choice, picked or typed, not on the
  // lists and texts the load sequence puts into them.
  onComboChoice(*c.Combo3, [context]() mutable { onModeChosen(context); });
  onComboChoice(*c.Combo6, [context]() mutable { onPresetChosen(context); });
  QObject::connect(c.VScroll1, &FrequencyScrollBar::frequencyChanged, c.VScroll1,
                   [context](int value) mutable { onReceiveScroll(context, value); });
  QObject::connect(c.txtRec, &QLineEdit::textChanged, c.txtRec,
                   [context](const QString&) mutable { onReceiveTextChanged(context); });
  // The double click still reaches the box, which selects its word.
  watchEvents(*c.txtRec, QEvent::MouseButtonDblClick, [context](QEvent&) mutable {
    onReceiveDoubleClick(context);
    return false;
  });
  QObject::connect(c.VScroll2, &FrequencyScrollBar::frequencyChanged, c.VScroll2,
                   [context](int value) mutable { onTransmitScroll(context, value); });
  QObject::connect(c.ckRXAFC, &QCheckBox::clicked, c.ckRXAFC,
                   [context](bool checked) mutable { onAfcClicked(context, checked); });
  QObject::connect(c.VScroll3, &QScrollBar::valueChanged, c.VScroll3,
                   [context](int value) mutable { onSquelchScroll(context, value); });
  for (QComboBox* box : {c.Combo1, c.Combo2}) onComboChoice(*box, [context]() mutable { onSpectrumModeChosen(context); });
}

}  // namespace quillary
